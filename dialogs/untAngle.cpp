#include "untAngle.h"

#include <QLabel>
#include <QPushButton>

#include "DialogParts.h"
#include "UpdownNumberEdit.h"

TfrmAngle::TfrmAngle(QWidget* Owner) : QDialog(Owner) {
  SetUpFixedDialog(*this, "frmAngle", QStringLiteral("回転角度の指定"), {272, 47});

  FedtAngle = new TUpdownNumberEdit(this);
  FedtAngle->setObjectName(QStringLiteral("edtAngle"));
  FedtAngle->setGeometry(8, 12, 69, 21);
  FedtAngle->SetLimit(true);
  FedtAngle->SetLimitOptions({TLimitOption::loMax, TLimitOption::loMin});
  FedtAngle->SetMax(360);
  FedtAngle->SetMin(-360);

  auto* label = new QLabel(QStringLiteral("度"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->adjustSize();
  label->move(80, 16);

  FbtnExec = NewButton(this, "btnExec", QStringLiteral("実行(&R)"), {108, 10, 75, 25});
  FbtnExec->setDefault(true);
  connect(FbtnExec, &QPushButton::clicked, this, &QDialog::accept);
  FbtnCancel = NewButton(this, "btnCancel", QStringLiteral("キャンセル(&C)"), {188, 10, 75, 25});
  connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

double TfrmAngle::Angle() const { return static_cast<double>(FedtAngle->Value()); }
