#pragma once

#include <QImage>

namespace bench {

// An opaque picture with the texture of a photograph (gradients, edges and grain), so that
// codecs and kernels do the work a real photo makes them do.
QImage PhotoLike(int width, int height, QImage::Format format = QImage::Format_ARGB32);

}  // namespace bench
