#include "SourceSelectDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TSourceSelectDialog::TSourceSelectDialog(const QStringList& Sources, int Current, QWidget* Parent)
    : QDialog(Parent), lstSources(new QListWidget(this)) {
  setObjectName(QStringLiteral("SourceSelectDialog"));
  setWindowTitle(QStringLiteral("ソースの選択"));
  lstSources->setObjectName(QStringLiteral("lstSources"));
  lstSources->addItems(Sources);
  lstSources->setCurrentRow(Current);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("選択"), QDialogButtonBox::AcceptRole)
      ->setObjectName(QStringLiteral("btnSelect"));
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("btnCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lstSources, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstSources);
  layout->addWidget(buttons);
}

int TSourceSelectDialog::Choose() {
  return exec() == QDialog::Accepted ? lstSources->currentRow() : -1;
}
