#pragma once

#include <QDialog>
#include <cstdint>

#include "IniTypes.h"

class QFrame;
class QGroupBox;
class QPainter;
class QPushButton;
class QSlider;
class TColorComboBox;
class TExtIniFile;
class TUpdownNumberEdit;

// The options: the colour of the rubber band and the colour and opacity of the image background,
// read from section "Options" of the store as the dialog is made and written back on OK.
class TfrmOption : public QDialog {
 public:
  TfrmOption(QWidget* Owner, TExtIniFile& Store);

  QGroupBox* GroupBox1() const { return FGroupBox1; }
  TColorComboBox* cmbRubber() const { return FcmbRubber; }
  QPushButton* btnOk() const { return FbtnOk; }
  QPushButton* btnCancel() const { return FbtnCancel; }
  QGroupBox* GroupBox2() const { return FGroupBox2; }
  TColorComboBox* cmbBackColor() const { return FcmbBackColor; }
  QSlider* trkTrans() const { return FtrkTrans; }
  TUpdownNumberEdit* edtTrans() const { return FedtTrans; }
  QFrame* pnlSample() const { return FpnlSample; }
  QWidget* pbSample() const { return FpbSample; }

  // What the sample paints over the checkerboard: the chosen background at the chosen opacity.
  uint32_t SampleColor() const;

 private:
  void FormCreate();
  void btnOkClick();
  void cmbBackColorChange();
  void trkTransChange();
  void edtTransChange();
  void pbSamplePaint(QPainter& Painter);

  TExtIniFile& FStore;
  QGroupBox* FGroupBox1 = nullptr;
  TColorComboBox* FcmbRubber = nullptr;
  QPushButton* FbtnOk = nullptr;
  QPushButton* FbtnCancel = nullptr;
  QGroupBox* FGroupBox2 = nullptr;
  TColorComboBox* FcmbBackColor = nullptr;
  QSlider* FtrkTrans = nullptr;
  TUpdownNumberEdit* FedtTrans = nullptr;
  QFrame* FpnlSample = nullptr;
  QWidget* FpbSample = nullptr;
};
