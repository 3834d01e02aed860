#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QLabel;
class QWidget;

// A file dialog kept for the whole run, so that the filter and the name chosen last carry over
// from one use to the next. Filter numbers count from 1.
class TPictureFileDialog {
 public:
  TPictureFileDialog(QWidget* Owner, const QStringList& Filters, bool ForSaving);
  virtual ~TPictureFileDialog();
  TPictureFileDialog(const TPictureFileDialog&) = delete;
  TPictureFileDialog& operator=(const TPictureFileDialog&) = delete;

  const QString& FileName() const { return FFileName; }
  void SetFileName(const QString& Value) { FFileName = Value; }
  const QString& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const QString& Value) { FInitialDir = Value; }
  int FilterIndex() const { return FFilterIndex; }
  QFileDialog* Dialog() const { return FDialog; }

  // Runs the dialog; true when the user confirmed a file, which FileName then holds.
  bool Execute();

 private:
  QFileDialog* FDialog;
  QStringList FFilters;
  QString FFileName;
  QString FInitialDir;
  int FFilterIndex = 1;
};

// The open-picture dialog, with a pane that previews the selected picture.
class TOpenPictureDialog : public TPictureFileDialog {
 public:
  explicit TOpenPictureDialog(QWidget* Owner);
  QLabel* Preview() const { return FPreview; }

 private:
  void ShowPreview(const QString& Path);
  QLabel* FPreview;
};

class TSavePictureDialog : public TPictureFileDialog {
 public:
  explicit TSavePictureDialog(QWidget* Owner);
};

// The extension of each save filter, by filter number 1..7.
QString SaveExtension(int FilterIndex);
