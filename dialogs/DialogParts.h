#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// A push button of the dialogs, named so that tests and the keyboard handling can find it.
QPushButton* NewButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Bounds);
