#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QPushButton;
class QWidget;

// A push button of the dialogs, named so that tests and the keyboard handling can find it.
QPushButton* NewButton(QWidget* Parent, const char* Name, const QString& Caption, QRect Bounds);

// The frame every fixed-size dialog of the program shares: its name, caption, no help button, the
// window font and a client area that cannot be resized.
void SetUpFixedDialog(QDialog& Dialog, const char* Name, const QString& Caption, QSize Client);
