#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

#include "SpecialFolders.h"

class QListWidget;
class QPushButton;

using TDocumentOpener = std::function<void(const QString& Path)>;

// The masks of the help documents that lie beside the program.
inline const QString kHelpMasks = QStringLiteral("*.txt;*.chm;*.pdf");

// Hands a document to the desktop, which opens it with the application for its type. A failure
// is the desktop's to report.
void OpenDocument(const QString& Path);

// The help command: finds the help documents in Folder; with none it does nothing, with one it
// opens it, with several it lets the user choose in TfrmHelp and opens the chosen one.
void ShowHelp(QWidget* Owner, const QString& Folder = SpecialFolders::ProgramFolder(),
              const TDocumentOpener& Open = OpenDocument);

// The help chooser: lists the help documents of a folder by file name.
class TfrmHelp : public QDialog {
  Q_OBJECT

 public:
  TfrmHelp(QWidget* Owner, const QString& Folder);

  // The full path of the chosen document; empty when no entry is selected.
  QString Selected() const;

  QListWidget* lstHelp;
  QPushButton* btnShow;
  QPushButton* btnClose;

 private:
  void FormCreate(const QString& Folder);
  void lstHelpClick();

  QStringList FHelps;  // full paths, aligned by index with the entries of lstHelp
};
