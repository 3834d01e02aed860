#include "DialogParts.h"

#include <QDialog>
#include <QPushButton>

#include "Fonts.h"

QPushButton* NewButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Bounds) {
  auto* button = new QPushButton(Caption, Parent);
  button->setObjectName(QString::fromLatin1(Name));
  button->setGeometry(Bounds);
  return button;
}

void SetUpFixedDialog(QDialog& Dialog, const char* Name, const QString& Caption, QSize Client) {
  Dialog.setObjectName(QString::fromLatin1(Name));
  Dialog.setWindowTitle(Caption);
  Dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  Dialog.setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  Dialog.setFont(WindowFont());
  Dialog.setFixedSize(Client);
}
