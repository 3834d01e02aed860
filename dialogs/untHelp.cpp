#include "untHelp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>

#include "ErrorGuard.h"
#include "Fonts.h"
#include "HelpFinder.h"

void OpenDocument(const QString& Path) { QDesktopServices::openUrl(QUrl::fromLocalFile(Path)); }

void ShowHelp(QWidget* Owner, const QString& Folder, const TDocumentOpener& Open) {
  QStringList helps;
  FindFiles(Folder, kHelpMasks, 0, helps);
  if (helps.isEmpty()) return;
  if (helps.size() == 1) {
    Open(helps.first());
    return;
  }
  TfrmHelp frmHelp(Owner, Folder);
  if (frmHelp.exec() != QDialog::Accepted) return;
  // The folder is searched again when the chooser opens; it may have emptied meanwhile.
  const QString selected = frmHelp.Selected();
  if (!selected.isEmpty()) Open(selected);
}

TfrmHelp::TfrmHelp(QWidget* Owner, const QString& Folder) : QDialog(Owner) {
  setWindowTitle(QStringLiteral("ヘルプの選択"));
  setFont(WindowFont());
  setFixedSize(174, 126);

  lstHelp = new QListWidget(this);
  lstHelp->setGeometry(8, 8, 158, 73);
  lstHelp->setSelectionMode(QAbstractItemView::SingleSelection);
  lstHelp->setUniformItemSizes(true);

  btnShow = new QPushButton(QStringLiteral("表示(&S)"), this);
  btnShow->setGeometry(8, 92, 75, 25);
  btnShow->setDefault(true);
  btnShow->setEnabled(false);

  btnClose = new QPushButton(QStringLiteral("閉じる(&C)"), this);
  btnClose->setGeometry(92, 92, 75, 25);
  btnClose->setAutoDefault(false);

  // Keyboard selection counts as a click, as it does in a list box.
  connect(lstHelp, &QListWidget::itemSelectionChanged, this,
          [this] { RunGuarded([this] { lstHelpClick(); }); });
  connect(lstHelp, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(btnShow, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well

  FormCreate(Folder);
}

void TfrmHelp::FormCreate(const QString& Folder) {
  FindFiles(Folder, kHelpMasks, 0, FHelps);
  for (const QString& path : FHelps) lstHelp->addItem(QFileInfo(path).fileName());
}

void TfrmHelp::lstHelpClick() { btnShow->setEnabled(!lstHelp->selectedItems().isEmpty()); }

QString TfrmHelp::Selected() const {
  const QModelIndexList selected = lstHelp->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? QString() : FHelps.value(selected.first().row());
}
