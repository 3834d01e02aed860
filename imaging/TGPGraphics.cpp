#include <cmath>
#include <optional>

#include "AffineDraw.h"
#include "ParallelRows.h"
#include "Pixels.h"
#include "TGPBitmap.h"

namespace imaging {

// While the whole canvas is one colour, a fill over all of it is only remembered; the next draw
// composites over that colour while writing each pixel once, and otherwise the colour is written
// when the surface is released or something else is drawn. So a new canvas, a background fill
// and a drawn picture cost one pass over the canvas.
struct TGPGraphics::Pending {
  std::optional<std::uint32_t> uniform;  // the colour the whole canvas has, if it is one
  bool inMemory = false;                 // whether the canvas's memory holds it already
};

namespace {

// Pixels whose centres lie inside the rectangle, clipped to the image.
QRect CoveredPixels(const QRectF& rect, const QImage& image) {
  auto edge = [](double v) { return std::ceil(std::clamp(v, -1e9, 1e9) - 0.5); };
  const QRect covered(QPoint(int(edge(rect.left())), int(edge(rect.top()))),
                      QPoint(int(edge(rect.right())) - 1, int(edge(rect.bottom())) - 1));
  return covered.intersected(image.rect());
}

void Fill(QImage& image, const QRect& area, std::uint32_t argb) {
  if (area.isEmpty()) return;
  uchar* const bits = image.bits();
  const qsizetype bytesPerLine = image.bytesPerLine();
  ParallelRows(area.height(), [&](int begin, int end) {
    for (int y = begin; y < end; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(bits + (area.top() + y) * bytesPerLine);
      for (int x = area.left(); x <= area.right(); ++x) row[x] = Pixels::OverStraight(argb, row[x]);
    }
  });
}

// The surface draws on straight ARGB; an adopted image of another format becomes one first.
QImage& Drawable(QImage& image) {
  if (image.format() != QImage::Format_ARGB32) image.convertTo(QImage::Format_ARGB32);
  return image;
}

}  // namespace

TGPGraphics::TGPGraphics(TGPBitmap& target)
    : FTarget(target), FPending(std::make_unique<Pending>()) {
  if (target.FBlank) *FPending = {0u, true};
}

TGPGraphics::~TGPGraphics() {
  if (FPending->uniform && !FPending->inMemory)
    Fill(FTarget.FImage, FTarget.FImage.rect(), *FPending->uniform);
}

void TGPGraphics::FillRectangle(std::uint32_t argb, const QRectF& rect) {
  QImage& image = Drawable(FTarget.FImage);
  const QRect area = CoveredPixels(rect, image);
  if (area.isEmpty()) return;
  const bool whole = area == image.rect();
  if (whole && (FPending->uniform || Pixels::Alpha(argb) == 255)) {
    const std::uint32_t colour = Pixels::OverStraight(argb, FPending->uniform.value_or(0u));
    const std::uint32_t before = FPending->uniform.value_or(~colour);
    *FPending = {colour, FPending->inMemory && before == colour};
    FTarget.FBlank = false;
    return;
  }
  if (FPending->uniform && !FPending->inMemory) Fill(image, image.rect(), *FPending->uniform);
  *FPending = {};
  FTarget.FBlank = false;
  Fill(image, area, argb);
}

void TGPGraphics::DrawImagePoints(const TGPBitmap& source, const QPointF (&points)[3]) {
  QImage& image = Drawable(FTarget.FImage);
  DrawAffine(image, source.FImage, points, {FPending->uniform, FPending->inMemory});
  *FPending = {};
  FTarget.FBlank = false;
}

}  // namespace imaging
