#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "TGPBitmap.h"
#include "TestImages.h"

namespace imaging {
namespace {

using test::DrawOnCanvas;
using test::TurnedCorners;

std::unique_ptr<TGPBitmap> Turned(const TGPBitmap& source, double angle, std::uint32_t background) {
  const test::Turn turn = TurnedCorners(source.Width(), source.Height(), angle);
  return DrawOnCanvas(source, turn.canvas, turn.points, background);
}

// Mappings onto the pixel grid, each with where target pixel (x, y) comes from.
struct GridCase {
  const char* name;
  std::function<test::Turn(int w, int h)> turn;
  std::function<QPoint(int x, int y, int w, int h)> from;
};

const GridCase kGridCases[] = {
    {"0°", [](int w, int h) { return TurnedCorners(w, h, 0); },
     [](int x, int y, int, int) { return QPoint(x, y); }},
    {"90°", [](int w, int h) { return TurnedCorners(w, h, 90); },
     [](int x, int y, int, int h) { return QPoint(y, h - 1 - x); }},
    {"180°", [](int w, int h) { return TurnedCorners(w, h, 180); },
     [](int x, int y, int w, int h) { return QPoint(w - 1 - x, h - 1 - y); }},
    {"-90°", [](int w, int h) { return TurnedCorners(w, h, -90); },
     [](int x, int y, int w, int) { return QPoint(w - 1 - y, x); }},
    {"270°", [](int w, int h) { return TurnedCorners(w, h, 270); },
     [](int x, int y, int w, int) { return QPoint(w - 1 - y, x); }},
    {"mirror",
     [](int w, int h) {
       return test::Turn{QSize(w, h), {QPointF(w, 0), QPointF(0, 0), QPointF(w, h)}};
     },
     [](int x, int y, int w, int) { return QPoint(w - 1 - x, y); }},
    {"flip",
     [](int w, int h) {
       return test::Turn{QSize(w, h), {QPointF(0, h), QPointF(w, h), QPointF(0, 0)}};
     },
     [](int x, int y, int, int h) { return QPoint(x, h - 1 - y); }},
    {"moved by (2, 1)",
     [](int w, int h) {
       return test::Turn{QSize(w + 3, h + 2),
                         {QPointF(2, 1), QPointF(w + 2, 1), QPointF(2, h + 1)}};
     },
     [](int x, int y, int, int) { return QPoint(x - 2, y - 1); }},
};

TEST(DrawImagePoints, GridMappingsCopyPixelsExactly) {
  const int w = 7, h = 3;
  const struct {
    const char* name;
    QImage image;
    std::uint32_t background;
  } sources[] = {
      {"opaque over opaque white", test::Marked(w, h), 0xFFFFFFFFu},
      {"half transparent over transparent", test::Marked(w, h, 100), 0x00FFFFFFu},
      {"RGB32 over grey", test::Marked(w, h).convertToFormat(QImage::Format_RGB32), 0xFF808080u}};
  for (const auto& s : sources) {
    const TGPBitmap source(s.image);
    const QImage straight = s.image.convertToFormat(QImage::Format_ARGB32);
    for (const GridCase& c : kGridCases) {
      const test::Turn turn = c.turn(w, h);
      auto target = DrawOnCanvas(source, turn.canvas, turn.points, s.background);
      ASSERT_EQ(target->Image().size(), turn.canvas) << c.name;
      for (int y = 0; y < turn.canvas.height(); ++y)
        for (int x = 0; x < turn.canvas.width(); ++x) {
          const QPoint from = c.from(x, y, w, h);
          const QRgb expected =
              QRect(0, 0, w, h).contains(from) ? straight.pixel(from) : s.background;
          ASSERT_EQ(target->Image().pixel(x, y), expected)
              << s.name << ", " << c.name << " at " << x << "," << y;
        }
    }
  }
}

TEST(DrawImagePoints, FourQuarterTurnsGiveBackTheOriginal) {
  const QImage original = test::PhotoLike(13, 6);
  auto image = std::make_unique<TGPBitmap>(original);
  for (int i = 0; i < 4; ++i) image = Turned(*image, 90, 0xFF000000u);
  EXPECT_EQ(image->Image(), original);
}

// Whether all four pixels the sample of target pixel (x, y) reads lie inside the source.
bool SamplesInside(const test::Turn& turn, QSize source, int x, int y) {
  const QPointF* p = turn.points;
  const double e1x = (p[1].x() - p[0].x()) / source.width(),
               e1y = (p[1].y() - p[0].y()) / source.width();
  const double e2x = (p[2].x() - p[0].x()) / source.height(),
               e2y = (p[2].y() - p[0].y()) / source.height();
  const double det = e1x * e2y - e2x * e1y, dx = x + 0.5 - p[0].x(), dy = y + 0.5 - p[0].y();
  const double s = (e2y * dx - e2x * dy) / det - 0.5, t = (-e1y * dx + e1x * dy) / det - 0.5;
  return s >= 0 && t >= 0 && s <= source.width() - 1 && t <= source.height() - 1;
}

TEST(DrawImagePoints, AConstantImageStaysConstantInside) {
  QImage constant(64, 48, QImage::Format_ARGB32);
  constant.fill(qRgb(200, 120, 40));
  const TGPBitmap source(constant);
  for (double angle : {17.0, -5.710593137499643, 133.0}) {
    const test::Turn turn = TurnedCorners(64, 48, angle);
    auto target = DrawOnCanvas(source, turn.canvas, turn.points, 0x00FFFFFFu);
    int inside = 0;
    for (int y = 0; y < turn.canvas.height(); ++y)
      for (int x = 0; x < turn.canvas.width(); ++x)
        if (SamplesInside(turn, constant.size(), x, y)) {
          ++inside;
          ASSERT_EQ(target->Image().pixel(x, y), qRgb(200, 120, 40))
              << angle << " at " << x << "," << y;
        }
    EXPECT_GT(inside, 64 * 48 * 8 / 10) << angle;
  }
}

TEST(DrawImagePoints, MatchesADoublePrecisionBilinearReference) {
  // Within 2 of 255 in every premultiplied channel, everywhere, edges included.
  const QImage opaque = test::PhotoLike(101, 67);
  QImage partly = opaque;
  for (int y = 0; y < partly.height(); ++y)
    for (int x = 0; x < partly.width(); ++x)
      if ((x / 9 + y / 7) % 3 == 0)
        partly.setPixel(x, y, (partly.pixel(x, y) & 0x00FFFFFFu) | (uint((x * 5 + y) % 256) << 24));
  const struct {
    const char* name;
    QImage image;
  } sources[] = {{"opaque", opaque},
                 {"partly transparent", partly},
                 {"RGB32", opaque.convertToFormat(QImage::Format_RGB32)},
                 {"RGB888", opaque.convertToFormat(QImage::Format_RGB888)}};
  for (const auto& s : sources) {
    const TGPBitmap source(s.image);
    const QImage straight = s.image.convertToFormat(QImage::Format_ARGB32);
    for (double angle : {-5.710593137499643, 23.5, 200.0})
      for (std::uint32_t background : {0x00FFFFFFu, 0xFFFFFFFFu, 0x800000FFu}) {
        const test::Turn turn = TurnedCorners(101, 67, angle);
        auto target = DrawOnCanvas(source, turn.canvas, turn.points, background);
        int worst = 0;
        for (int y = 0; y < turn.canvas.height(); ++y)
          for (int x = 0; x < turn.canvas.width(); ++x) {
            const std::uint32_t reference =
                test::ReferencePremultiplied(straight, turn.points, x, y, background);
            worst = std::max(
                worst, test::ChannelDistance(qPremultiply(target->Image().pixel(x, y)), reference));
          }
        EXPECT_LE(worst, 2) << s.name << ", " << angle << "°, background " << std::hex
                            << background;
      }
  }
}

TEST(DrawImagePoints, AnOpaquePictureHasNoDarkFringe) {
  QImage white(40, 30, QImage::Format_ARGB32);
  white.fill(0xFFFFFFFFu);
  const TGPBitmap source(white);
  // Over transparency every pixel that shows anything is white; over red, the edge pixels lie
  // between white and red, never darker than either.
  auto overNothing = Turned(source, 12.0, 0x00000000u);
  auto overRed = Turned(source, 12.0, 0xFFFF0000u);
  int edge = 0;
  for (int y = 0; y < overNothing->Height(); ++y)
    for (int x = 0; x < overNothing->Width(); ++x) {
      const QRgb a = overNothing->Image().pixel(x, y), b = overRed->Image().pixel(x, y);
      if (qAlpha(a) != 0) {
        ASSERT_GE(qRed(a), 254) << x << "," << y;
        ASSERT_GE(qGreen(a), 254) << x << "," << y;
        ASSERT_GE(qBlue(a), 254) << x << "," << y;
      }
      if (qAlpha(a) > 0 && qAlpha(a) < 255) ++edge;
      ASSERT_EQ(qAlpha(b), 255);
      ASSERT_EQ(qRed(b), 255) << x << "," << y;
      ASSERT_EQ(qGreen(b), qBlue(b)) << x << "," << y;
      ASSERT_NEAR(qGreen(b), qAlpha(a), 1) << x << "," << y;
    }
  EXPECT_GT(edge, 100);
}

TEST(DrawImagePoints, TurningThereAndBackMatchesInside) {
  const int w = 120, h = 80, big = 160;
  const QImage original = test::PhotoLike(w, h);
  // Both turns about the centres, so together they map every point onto itself.
  auto about = [](QSize from, QSize to, double angle) {
    const double r = angle * M_PI / 180, c = std::cos(r), s = std::sin(r);
    auto at = [&](double x, double y) {
      x -= from.width() / 2.0;
      y -= from.height() / 2.0;
      return QPointF(c * x - s * y + to.width() / 2.0, s * x + c * y + to.height() / 2.0);
    };
    return test::Turn{to, {at(0, 0), at(from.width(), 0), at(0, from.height())}};
  };
  const test::Turn there = about(QSize(w, h), QSize(big, big), 10);
  auto turned = DrawOnCanvas(TGPBitmap(original), there.canvas, there.points, 0xFF000000u);
  const test::Turn back = about(QSize(big, big), QSize(w, h), -10);
  auto again = DrawOnCanvas(*turned, back.canvas, back.points, 0xFF000000u);
  int worst = 0;
  for (int y = 4; y < h - 4; ++y)
    for (int x = 4; x < w - 4; ++x)
      worst =
          std::max(worst, test::ChannelDistance(again->Image().pixel(x, y), original.pixel(x, y)));
  EXPECT_LE(worst, 3);
}

TEST(DrawImagePoints, BackgroundAlphaDecidesTheUncoveredCorners) {
  const TGPBitmap source(test::PhotoLike(100, 100));
  auto transparent = Turned(source, 45, 0x00FFFFFFu);
  auto opaque = Turned(source, 45, 0xFF2040C0u);
  ASSERT_EQ(transparent->Image().size(), QSize(141, 141));
  for (QPoint corner : {QPoint(0, 0), QPoint(140, 0), QPoint(0, 140), QPoint(140, 140)}) {
    EXPECT_EQ(qAlpha(transparent->Image().pixel(corner)), 0);
    EXPECT_EQ(opaque->Image().pixel(corner), 0xFF2040C0u);
  }
  EXPECT_EQ(qAlpha(transparent->Image().pixel(70, 70)), 255);
}

TEST(DrawImagePoints, HalfTransparentPixelsMirroredOverWhiteBecomeOpaqueBlends) {
  const QImage half = test::Marked(7, 3, 128);
  auto mirrored = DrawOnCanvas(TGPBitmap(half), QSize(7, 3),
                               {QPointF(7, 0), QPointF(0, 0), QPointF(7, 3)}, 0xFFFFFFFFu);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) {
      const QRgb from = half.pixel(6 - x, y), got = mirrored->Image().pixel(x, y);
      auto blend = [](int c) { return int(std::lround(c * 128 / 255.0 + 255 * 127 / 255.0)); };
      EXPECT_EQ(qAlpha(got), 255);
      EXPECT_NEAR(qRed(got), blend(qRed(from)), 1);
      EXPECT_NEAR(qGreen(got), blend(qGreen(from)), 1);
      EXPECT_NEAR(qBlue(got), blend(qBlue(from)), 1);
    }
}

TEST(DrawImagePoints, TheEditorsCanvasSizesHoldThePicture) {
  const struct {
    QSize source;
    double angle;
    QSize canvas;
  } cases[] = {{{640, 480}, -5.710593137499643, {685, 541}},
               {{6000, 4000}, -5.710593137499643, {6368, 4577}},
               {{101, 51}, 30, {113, 95}}};
  for (const auto& c : cases) {
    const QImage image = test::PhotoLike(c.source.width(), c.source.height(), QImage::Format_RGB32);
    const test::Turn turn = TurnedCorners(c.source.width(), c.source.height(), c.angle);
    ASSERT_EQ(turn.canvas, c.canvas);
    auto target = DrawOnCanvas(TGPBitmap(image), turn.canvas, turn.points, 0xFFFFFFFFu);
    // The source's centre pixel lands on the canvas's centre.
    const QPoint centre(c.canvas.width() / 2, c.canvas.height() / 2);
    EXPECT_LE(test::ChannelDistance(target->Image().pixel(centre),
                                    image.pixel(c.source.width() / 2, c.source.height() / 2)),
              6);
    EXPECT_EQ(target->Image().pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(target->Image().pixel(c.canvas.width() - 1, c.canvas.height() - 1), 0xFFFFFFFFu);
  }
}

TEST(FillRectangle, BlendsOverWhatIsThere) {
  auto canvas = TGPBitmap::FromScan0(6, 4);
  {
    TGPGraphics g(*canvas);
    g.FillRectangle(0xFF0000FFu, QRectF(0, 0, 6, 4));
    g.FillRectangle(0x80FF0000u, QRectF(1, 1, 2, 2));
    g.FillRectangle(0x40FFFFFFu, QRectF(-10, 3, 100, 7));  // clipped to the last row
  }
  const QImage& image = canvas->Image();
  EXPECT_EQ(image.pixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(image.pixel(1, 1), qRgb(128, 0, 127));
  EXPECT_EQ(image.pixel(3, 1), 0xFF0000FFu);
  EXPECT_EQ(image.pixel(0, 3), qRgb(64, 64, 255));
}

TEST(FillRectangle, OnAFreshCanvasIsThereWithoutADraw) {
  auto canvas = TGPBitmap::FromScan0(5, 5);
  {
    TGPGraphics g(*canvas);
    g.FillRectangle(0x80102030u, QRectF(0, 0, 5, 5));
  }
  EXPECT_EQ(canvas->Image().pixel(4, 4), 0x80102030u);
}

TEST(DrawImagePoints, DrawsOverADrawnCanvasToo) {
  // Not the editor's order: a draw over existing pixels reads them.
  auto canvas = TGPBitmap::FromScan0(8, 8);
  QImage red(4, 4, QImage::Format_ARGB32);
  red.fill(0x80FF0000u);
  {
    TGPGraphics g(*canvas);
    g.FillRectangle(0xFF0000FFu, QRectF(0, 0, 4, 8));
    g.DrawImagePoints(TGPBitmap(red), {QPointF(2, 2), QPointF(6, 2), QPointF(2, 6)});
    g.DrawImagePoints(TGPBitmap(red), {QPointF(2.5, 0), QPointF(6.5, 0), QPointF(2.5, 4)});
  }
  const QImage& image = canvas->Image();
  EXPECT_EQ(image.pixel(0, 7), 0xFF0000FFu);
  EXPECT_EQ(image.pixel(7, 7), 0u);
  EXPECT_EQ(image.pixel(3, 5), qRgb(128, 0, 127));
  EXPECT_EQ(image.pixel(5, 5), 0x80FF0000u);
  EXPECT_EQ(qAlpha(image.pixel(4, 1)), 128);  // half-pixel shift, over transparency
}

}  // namespace
}  // namespace imaging
