#include "untZoom.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "DialogParts.h"
#include "ErrorGuard.h"
#include "UpdownNumberEdit.h"
#include "untEdit.h"

TfrmZoom::TfrmZoom(QWidget* Owner) : QDialog(Owner) {
  SetUpFixedDialog(*this, "frmZoom", QStringLiteral("ズーム"), {257, 91});

  FedtZoom = new TUpdownNumberEdit(this);
  FedtZoom->setObjectName(QStringLiteral("edtZoom"));
  FedtZoom->setGeometry(12, 12, 53, 21);
  FedtZoom->SetFigure(0);
  FedtZoom->SetIncrement(10);
  FedtZoom->SetLimit(true);
  FedtZoom->SetLimitOptions({TLimitOption::loMax, TLimitOption::loMin});
  FedtZoom->SetMax(400);
  FedtZoom->SetMin(20);
  FedtZoom->SetMaxIntLength(3);
  FedtZoom->SetValue(20);
  FedtZoom->SetZeroEnabled(false);
  FedtZoom->SetOnChange([this](TNumberEditModel&) { edtZoomChange(); });

  auto* label = new QLabel(QStringLiteral("%"), this);
  label->setObjectName(QStringLiteral("Label1"));
  label->adjustSize();
  label->move(68, 16);

  FtrkZoom = new QSlider(Qt::Horizontal, this);
  FtrkZoom->setObjectName(QStringLiteral("trkZoom"));
  FtrkZoom->setGeometry(84, 8, 165, 33);
  FtrkZoom->setRange(20, 400);
  FtrkZoom->setValue(20);
  FtrkZoom->setPageStep(10);
  FtrkZoom->setTickPosition(QSlider::TicksBelow);
  FtrkZoom->setTickInterval(20);
  connect(FtrkZoom, &QSlider::valueChanged, this,
          [this] { RunGuarded([this] { trkZoomChange(); }); });

  FbtnOk = NewButton(this, "btnOk", QStringLiteral("&OK"), {40, 56, 75, 25});
  FbtnOk->setDefault(true);
  connect(FbtnOk, &QPushButton::clicked, this, &QDialog::accept);
  FbtnCancel = NewButton(this, "btnCancel", QStringLiteral("キャンセル(&C)"), {140, 56, 75, 25});
  connect(FbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmZoom::SetTarget(TfrmEdit* Editor) {
  FTarget = Editor;
  FSaveRate = Editor ? Editor->ShowRate() : 0;
  if (Editor) FedtZoom->SetValue(static_cast<long double>(FSaveRate) * 100);
}

intptr_t TfrmZoom::ZoomRate() const { return FedtZoom->AsInteger(); }

void TfrmZoom::SetZoomRate(intptr_t Value) { FedtZoom->SetAsInt64(Value); }

void TfrmZoom::edtZoomChange() {
  if (FedtZoom->AsInteger() != FtrkZoom->value()) FtrkZoom->setValue(FedtZoom->AsInteger());
  if (FTarget) FTarget->Zoom(TZoomState::zsZoomAs, static_cast<double>(FedtZoom->Value() / 100));
}

void TfrmZoom::trkZoomChange() {
  // Setting the box runs edtZoomChange, which finds the two equal.
  if (FedtZoom->AsInteger() != FtrkZoom->value()) FedtZoom->SetAsInteger(FtrkZoom->value());
}

void TfrmZoom::btnCancelClick() {
  if (FTarget) FTarget->Zoom(TZoomState::zsZoomAs, FSaveRate);
}

// Every way of cancelling restores the rate, the close box included: a result of cancel that
// left the preview in place would look like OK.
void TfrmZoom::reject() {
  RunGuarded([this] { btnCancelClick(); });
  QDialog::reject();
}
