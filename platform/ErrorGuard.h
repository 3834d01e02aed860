#pragma once

#include <QString>
#include <functional>

// The application's top-level error handler: every command runs inside RunGuarded, so that an
// error shows its text in the error box and the program carries on with the state it left.
// Returns false when the work ended in an error.
bool RunGuarded(const std::function<void()>& Work);

// The error box: the text, with "." appended when its last character sorts above ".", under the
// application title with an error icon.
void ShowErrorBox(const QString& Text);
QString ErrorBoxText(const QString& Text);

// Tests replace the box, which would otherwise wait for a click.
void SetErrorBoxHandler(std::function<void(const QString& Text)> Handler);
