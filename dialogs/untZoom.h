#pragma once

#include <QDialog>
#include <QPointer>
#include <cstdint>

class QPushButton;
class QSlider;
class TfrmEdit;
class TUpdownNumberEdit;

// Sets the target editor's zoom rate in per cent, previewing every change in the editor at once.
// Cancelling (the button, Esc or the close box) gives the editor back the rate it had when it
// became the target; OK keeps the rate last previewed.
class TfrmZoom : public QDialog {
 public:
  explicit TfrmZoom(QWidget* Owner);

  TfrmEdit* Target() const { return FTarget; }
  // Takes the editor's current rate as the one to restore and shows it in whole per cent; when
  // that changes the box's text, the editor is zoomed to the per cent shown.
  void SetTarget(TfrmEdit* Editor);
  intptr_t ZoomRate() const;
  void SetZoomRate(intptr_t Value);

  TUpdownNumberEdit* edtZoom() const { return FedtZoom; }
  QSlider* trkZoom() const { return FtrkZoom; }
  QPushButton* btnOk() const { return FbtnOk; }
  QPushButton* btnCancel() const { return FbtnCancel; }

  void reject() override;

 private:
  void edtZoomChange();
  void trkZoomChange();
  void btnCancelClick();

  TUpdownNumberEdit* FedtZoom = nullptr;
  QSlider* FtrkZoom = nullptr;
  QPushButton* FbtnOk = nullptr;
  QPushButton* FbtnCancel = nullptr;
  double FSaveRate = 0;
  // The editor may close while the dialog is open.
  QPointer<TfrmEdit> FTarget;
};
