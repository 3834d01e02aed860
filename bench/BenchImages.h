#pragma once

#include <QImage>
#include <QString>

namespace bench {

// An opaque picture with the texture of a photograph (gradients, edges and grain), so that
// codecs and kernels do the work a real photo makes them do.
QImage PhotoLike(int width, int height, QImage::Format format = QImage::Format_ARGB32);

// A 24-megapixel photo-like JPEG (quality 90) in the temporary folder, written on first use.
const QString& PhotoJpeg24();

}  // namespace bench
