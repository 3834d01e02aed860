#pragma once

#include <QDialog>

class QListWidget;

// The manager's list of sources: the user picks the one to scan with.
class TSourceSelectDialog : public QDialog {
  Q_OBJECT
 public:
  TSourceSelectDialog(const QStringList& Sources, int Current, QWidget* Parent);
  // The chosen row, -1 when cancelled.
  int Choose();

 private:
  QListWidget* lstSources;
};
