#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QSpinBox;

// The source's own dialog: colour mode and resolution, then Scan or Cancel. It runs inside the
// application's event loop; the source learns the choice through OnScan and OnCancel.
class TScanDialog : public QDialog {
  Q_OBJECT
 public:
  TScanDialog(const QString& DeviceName, QWidget* Parent);

  void SetModes(const QStringList& Modes, const QString& Current);
  void SetResolution(int Minimum, int Maximum, int Current);
  QString Mode() const;
  int Resolution() const;

  void SetOnScan(std::function<void()> Handler) { FOnScan = std::move(Handler); }
  void SetOnCancel(std::function<void()> Handler) { FOnCancel = std::move(Handler); }

 private:
  QComboBox* cbxMode;
  QSpinBox* speResolution;
  std::function<void()> FOnScan;
  std::function<void()> FOnCancel;
};
