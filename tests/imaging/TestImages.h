#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>
#include <cstdint>

#include "TGPBitmap.h"

namespace imaging::test {

// A small ARGB image in which every pixel differs, the four corners most of all, so that a wrong
// axis or an off-by-one shows at once. alpha applies to every pixel.
QImage Marked(int width, int height, int alpha = 255);
// A smooth, opaque, photo-like picture (gradients and gentle waves) of the given format.
QImage PhotoLike(int width, int height, QImage::Format format = QImage::Format_ARGB32);

// What the editor does to turn an image: the canvas size and the three target points.
struct Turn {
  QSize canvas;
  QPointF points[3];
};
Turn TurnedCorners(int width, int height, double angle);

// The editor's sequence: a fresh canvas, a background fill over all of it, the picture drawn.
std::unique_ptr<TGPBitmap> DrawOnCanvas(const TGPBitmap& source, QSize canvas,
                                        const QPointF (&points)[3], std::uint32_t background);

// The reference: bilinear on premultiplied values in double precision with the source's outside
// transparent, composited over a uniform straight background; premultiplied result.
std::uint32_t ReferencePremultiplied(const QImage& source, const QPointF (&points)[3], int x, int y,
                                     std::uint32_t background);

// Largest difference of any channel between two packed pixels.
int ChannelDistance(std::uint32_t a, std::uint32_t b);

}  // namespace imaging::test
