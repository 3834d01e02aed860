#pragma once

#include <QIODevice>
#include <QImage>

namespace imaging {

// Writes the image as a single-frame GIF89a: libimagequant chooses up to 256 colours, alpha is
// thresholded at half and every transparent pixel takes the one transparent index. Throws
// Exception with the reason (in Japanese) when quantising or writing fails.
void WriteGif(const QImage& image, QIODevice& device);

}  // namespace imaging
