#include "DialogParts.h"

#include <QPushButton>

QPushButton* NewButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Bounds) {
  auto* button = new QPushButton(Caption, Parent);
  button->setObjectName(QString::fromLatin1(Name));
  button->setGeometry(Bounds);
  return button;
}
