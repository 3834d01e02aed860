#pragma once

#include <QImage>
#include <QPointF>
#include <cstdint>
#include <optional>

namespace imaging {

// What lies under the drawn picture on the target.
struct Underlay {
  // The colour (straight 0xAARRGGBB) the whole target has, known without reading it; none when
  // each target pixel must be read.
  std::optional<std::uint32_t> uniform;
  // Whether the target's memory holds that colour already, so pixels the picture does not reach
  // need no write.
  bool inMemory = false;
};

// Draws the whole source onto the parallelogram whose upper-left, upper-right and lower-left
// corners land on points[0..2] of target (straight ARGB32), source-over, bilinear on premultiplied
// values with the source's outside transparent. Every target pixel is written once at most.
// Mappings onto the pixel grid copy pixels exactly. Throws Exception when memory for a converted
// copy of the source is lacking.
void DrawAffine(QImage& target, const QImage& source, const QPointF (&points)[3],
                const Underlay& underlay);

}  // namespace imaging
