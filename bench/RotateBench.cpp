// The editor's rotation of a 24-megapixel photo by −5.71° onto its 6368 × 4577 canvas, beside the
// memory floor (first write of a fresh canvas plus one copy of the source) and pixman doing the
// same bilinear composite on one core.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstring>

#include "BenchImages.h"
#include "PixelMemory.h"
#include "TGPBitmap.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000, kCanvasWidth = 6368, kCanvasHeight = 4577;
constexpr double kAngle = -5.710593137499643;
constexpr std::uint32_t kBackground = 0xFFFFFFFFu;

const imaging::TGPBitmap& Source() {
  static const imaging::TGPBitmap source(bench::PhotoLike(kWidth, kHeight));
  return source;
}

// The editor's arithmetic for the canvas corners.
struct Turn {
  QPointF points[3];
};
Turn Corners() {
  const double r = kAngle * M_PI / 180, s = std::sin(r), c = std::cos(r);
  const float corners[4][2] = {{0, 0}, {kWidth, 0}, {0, kHeight}, {kWidth, kHeight}};
  float turned[4][2], minX = 1e9f, minY = 1e9f;
  for (int i = 0; i < 4; ++i) {
    turned[i][0] = float(c * corners[i][0] - s * corners[i][1]);
    turned[i][1] = float(s * corners[i][0] + c * corners[i][1]);
    minX = std::min(minX, turned[i][0]);
    minY = std::min(minY, turned[i][1]);
  }
  Turn turn;
  for (int i = 0; i < 3; ++i) turn.points[i] = QPointF(turned[i][0] - minX, turned[i][1] - minY);
  return turn;
}

void Rotation(benchmark::State& state) {
  const imaging::TGPBitmap& source = Source();
  const Turn turn = Corners();
  for (auto _ : state) {
    auto canvas = imaging::TGPBitmap::FromScan0(kCanvasWidth, kCanvasHeight);
    {
      imaging::TGPGraphics graphics(*canvas);
      graphics.FillRectangle(kBackground, QRectF(0, 0, kCanvasWidth, kCanvasHeight));
      graphics.DrawImagePoints(source, turn.points);
    }
    benchmark::DoNotOptimize(canvas->Image().constBits());
  }
}

void MemoryFloor(benchmark::State& state) {
  const QImage& source = Source().Image();
  for (auto _ : state) {
    QImage canvas =
        imaging::PixelMemory::Allocate(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32);
    canvas.fill(kBackground);
    for (int y = 0; y < kHeight; ++y)
      std::memcpy(canvas.scanLine(y), source.constScanLine(y), std::size_t(kWidth) * 4);
    benchmark::DoNotOptimize(canvas.constBits());
  }
}

void Pixman(benchmark::State& state) {
  const QImage& source = Source().Image();
  const Turn turn = Corners();
  pixman_image_t* src =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight,
                               reinterpret_cast<uint32_t*>(const_cast<uchar*>(source.constBits())),
                               int(source.bytesPerLine()));
  // pixman maps target coordinates to source ones: the inverse of the corners' mapping.
  const double ax = (turn.points[1].x() - turn.points[0].x()) / kWidth;
  const double ay = (turn.points[1].y() - turn.points[0].y()) / kWidth;
  const double bx = (turn.points[2].x() - turn.points[0].x()) / kHeight;
  const double by = (turn.points[2].y() - turn.points[0].y()) / kHeight;
  const double det = ax * by - bx * ay;
  pixman_f_transform inverse = {{{by / det, -bx / det, 0}, {-ay / det, ax / det, 0}, {0, 0, 1}}};
  inverse.m[0][2] = -(inverse.m[0][0] * turn.points[0].x() + inverse.m[0][1] * turn.points[0].y());
  inverse.m[1][2] = -(inverse.m[1][0] * turn.points[0].x() + inverse.m[1][1] * turn.points[0].y());
  pixman_transform_t transform;
  pixman_transform_from_pixman_f_transform(&transform, &inverse);
  pixman_image_set_transform(src, &transform);
  pixman_image_set_filter(src, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  pixman_image_set_repeat(src, PIXMAN_REPEAT_NONE);
  const pixman_color_t white = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  const pixman_rectangle16_t whole = {0, 0, kCanvasWidth, kCanvasHeight};
  for (auto _ : state) {
    // The same fresh, huge-page canvas the program's own rotation gets.
    QImage canvas =
        imaging::PixelMemory::Allocate(kCanvasWidth, kCanvasHeight, QImage::Format_ARGB32);
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kCanvasWidth, kCanvasHeight,
                                                   reinterpret_cast<uint32_t*>(canvas.bits()),
                                                   int(canvas.bytesPerLine()));
    pixman_image_fill_rectangles(PIXMAN_OP_SRC, dst, &white, 1, &whole);
    pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kCanvasWidth,
                             kCanvasHeight);
    pixman_image_unref(dst);
    benchmark::DoNotOptimize(canvas.constBits());
  }
  pixman_image_unref(src);
}

}  // namespace

BENCHMARK(Rotation)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(MemoryFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(Pixman)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_MAIN();
