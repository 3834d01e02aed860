#include "ScanDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

TScanDialog::TScanDialog(const QString& DeviceName, QWidget* Parent)
    : QDialog(Parent), cbxMode(new QComboBox(this)), speResolution(new QSpinBox(this)) {
  setObjectName(QStringLiteral("ScanDialog"));
  setWindowTitle(DeviceName);
  cbxMode->setObjectName(QStringLiteral("cbxMode"));
  speResolution->setObjectName(QStringLiteral("speResolution"));
  speResolution->setSuffix(QStringLiteral(" dpi"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("モード"), cbxMode);
  form->addRow(QStringLiteral("解像度"), speResolution);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* scan = buttons->addButton(QStringLiteral("スキャン"), QDialogButtonBox::AcceptRole);
  scan->setObjectName(QStringLiteral("btnScan"));
  scan->setDefault(true);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("btnCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // Closing the window or Escape counts as Cancel.
  connect(this, &QDialog::finished, this, [this](int Result) {
    const auto& handler = Result == QDialog::Accepted ? FOnScan : FOnCancel;
    if (handler) handler();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void TScanDialog::SetModes(const QStringList& Modes, const QString& Current) {
  cbxMode->clear();
  cbxMode->addItems(Modes);
  cbxMode->setCurrentText(Current);
  cbxMode->setEnabled(!Modes.isEmpty());
}

void TScanDialog::SetResolution(int Minimum, int Maximum, int Current) {
  speResolution->setRange(Minimum, Maximum);
  speResolution->setValue(Current);
}

QString TScanDialog::Mode() const { return cbxMode->currentText(); }

int TScanDialog::Resolution() const { return speResolution->value(); }
