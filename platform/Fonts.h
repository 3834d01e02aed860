#pragma once

#include <QFont>
#include <QStringList>

// Tahoma at 11 pixels: the face of the program's windows, dialogs and tool bars.
QFont WindowFont();

// The first of Preferred that is installed at Pixels, else one of the Japanese Gothic faces that
// stand in for it here, so that Japanese captions never turn into boxes.
QFont JapaneseFont(const QStringList& Preferred, int Pixels);
