#pragma once

#include <QByteArray>
#include <QIODevice>

namespace imaging {

// Whether an image file holds all the data its header promises. Qt's BMP and GIF readers return a
// partly filled image for a cut-off file; such a file must fail to open instead. Formats whose
// readers notice a cut themselves, and compressed BMPs, count as complete. Leaves the device at
// its start.
bool HoldsAllItsData(QIODevice& file, const QByteArray& format);

}  // namespace imaging
