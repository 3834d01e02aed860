#pragma once

#include <QDialog>

class QPushButton;
class TUpdownNumberEdit;

// Asks for the angle of a rotation; the dialog itself changes nothing.
class TfrmAngle : public QDialog {
 public:
  explicit TfrmAngle(QWidget* Owner);

  // The typed angle in degrees, positive clockwise on the screen, within -360..360.
  double Angle() const;

  TUpdownNumberEdit* edtAngle() const { return FedtAngle; }
  QPushButton* btnExec() const { return FbtnExec; }
  QPushButton* btnCancel() const { return FbtnCancel; }

 private:
  TUpdownNumberEdit* FedtAngle = nullptr;
  QPushButton* FbtnExec = nullptr;
  QPushButton* FbtnCancel = nullptr;
};
