#include <gtest/gtest.h>

#include "untDefine.h"

namespace {

struct AngleCase {
  const char* Name;
  TPoints Line;
  double Angle, LeftHorz, LeftVert, RightHorz, RightVert;
};

class RotateAngleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(RotateAngleTest, AngleAndTurnsAreExactDoubles) {
  const AngleCase& c = GetParam();
  const TRotateAngle a = TRotateAngle::Create(c.Line);
  EXPECT_DOUBLE_EQ(a.Angle, c.Angle);
  EXPECT_DOUBLE_EQ(a.LeftHorzAngle(), c.LeftHorz);
  EXPECT_DOUBLE_EQ(a.LeftVertAngle(), c.LeftVert);
  EXPECT_DOUBLE_EQ(a.RightHorzAngle(), c.RightHorz);
  EXPECT_DOUBLE_EQ(a.RightVertAngle(), c.RightVert);
  EXPECT_EQ(a.Points.P1, c.Line.P1);
  EXPECT_EQ(a.Points.P2, c.Line.P2);
}

constexpr double kTenth = 5.710593137499643;  // atan(0.1) in degrees

INSTANTIATE_TEST_SUITE_P(
    Lines, RotateAngleTest,
    ::testing::Values(
        AngleCase{"FallingRight", {{0, 0}, {100, 10}}, kTenth, kTenth, 90 + kTenth, 180 - kTenth,
                  90 - kTenth},
        AngleCase{"RisingRight", {{0, 0}, {100, -10}}, -kTenth, 180 - kTenth, 90 - kTenth, kTenth,
                  90 + kTenth},
        AngleCase{"PointsSwapped", {{100, 10}, {0, 0}}, kTenth, kTenth, 90 + kTenth, 180 - kTenth,
                  90 - kTenth},
        AngleCase{"Diagonal", {{0, 0}, {10, 10}}, 45, 45, 135, 135, 45},
        AngleCase{"Vertical", {{5, 0}, {5, 50}}, -90, 90, 0, 90, 180},
        AngleCase{"Horizontal", {{0, 7}, {30, 7}}, 0, 180, 90, 0, 90},
        AngleCase{"Coinciding", {{3, 3}, {3, 3}}, -90, 90, 0, 90, 180}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RotateAngle, TenthSlopeIsTheExactDouble) {
  // Extended precision throughout, then one rounding to double.
  EXPECT_EQ(TRotateAngle::Create({{0, 0}, {100, 10}}).Angle, 5.710593137499643);
}

TEST(Points, RectIsNormalisedWithRightAndBottomOutside) {
  const QRect r = TPoints{{30, 5}, {10, 20}}.Rect();
  EXPECT_EQ(r.left(), 10);
  EXPECT_EQ(r.top(), 5);
  EXPECT_EQ(r.width(), 20);
  EXPECT_EQ(r.height(), 15);
}

std::unique_ptr<imaging::TGPBitmap> Solid(int w, int h, QRgb colour,
                                          QImage::Format format = QImage::Format_ARGB32) {
  QImage image(w, h, format);
  image.fill(colour);
  return std::make_unique<imaging::TGPBitmap>(image);
}

TEST(UndoStack, PopsNewestFirstAndOwnsCopies) {
  TUndoStack stack;
  auto a = Solid(1, 1, 0xFFFF0000), b = Solid(2, 1, 0xFF00FF00), c = Solid(3, 1, 0xFF0000FF);
  stack.Push(*a);
  stack.Push(*b);
  stack.Push(*c);
  // The stack keeps copies: changing nothing of the originals, and popping gives each back.
  EXPECT_EQ(stack.Count(), 3);
  EXPECT_EQ(stack.Pop()->Width(), 3);
  EXPECT_EQ(stack.Pop()->Width(), 2);
  auto first = stack.Pop();
  EXPECT_EQ(first->Width(), 1);
  EXPECT_EQ(first->Image().pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(stack.Count(), 0);
  EXPECT_NE(first->Image().constBits(), a->Image().constBits());
}

TEST(UndoStack, MaxSizeDropsOldestAndNeverGoesNegative) {
  TUndoStack stack;
  for (int w = 1; w <= 4; ++w) stack.Push(*Solid(w, 1, 0xFF000000));
  stack.SetMaxSize(-5);
  EXPECT_EQ(stack.MaxSize(), 0);
  EXPECT_EQ(stack.Count(), 4);
  stack.SetMaxSize(2);
  ASSERT_EQ(stack.Count(), 2);
  EXPECT_EQ(stack.Items(0).Image()->Width(), 3);
  EXPECT_EQ(stack.Items(1).Image()->Width(), 4);
  stack.Push(*Solid(5, 1, 0xFF000000));
  EXPECT_EQ(stack.Count(), 2);
  EXPECT_EQ(stack.Items(1).Image()->Width(), 5);
}

TEST(UndoStack, TwentyFourBitComesBackAsTheSamePictureInArgb) {
  QImage rgb(3, 2, QImage::Format_RGB888);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) rgb.setPixel(x, y, qRgb(x * 80, y * 120, 7));
  for (bool byMove : {false, true}) {
    TUndoStack stack;
    auto image = std::make_unique<imaging::TGPBitmap>(rgb);
    if (byMove)
      stack.Push(std::move(image));
    else
      stack.Push(*image);
    auto back = stack.Pop();
    EXPECT_EQ(back->PixelFormat(), QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(back->Image().pixel(x, y), rgb.pixel(x, y));
  }
}

TEST(UndoStack, AnOpaqueThirtyTwoBitPictureMovesInWithoutACopy) {
  QImage rgb(5, 4, QImage::Format_RGB32);
  for (int i = 0; i < 20; ++i) rgb.setPixel(i % 5, i / 5, qRgb(i * 12, 255 - i * 12, 40));
  auto image = std::make_unique<imaging::TGPBitmap>(rgb.copy());
  const uchar* pixels = image->Image().constBits();
  TUndoStack stack;
  stack.Push(std::move(image));
  auto back = stack.Pop();
  EXPECT_EQ(back->Image().constBits(), pixels);
  EXPECT_EQ(back->PixelFormat(), QImage::Format_ARGB32);
  EXPECT_EQ(back->Image(), rgb.convertToFormat(QImage::Format_ARGB32));
}

TEST(UndoStack, ACopyThatCannotBeMadeAddsNoEntry) {
  TUndoStack stack;
  auto big = Solid(64, 64, 0xFF336699, QImage::Format_RGB888);
  imaging::SetPixelMemoryLimit(1024);
  EXPECT_ANY_THROW(stack.Push(*big));
  EXPECT_ANY_THROW(stack.Push(std::move(big)));
  EXPECT_NE(big, nullptr) << "a failed push must leave the picture with its owner";
  imaging::SetPixelMemoryLimit(0);
  EXPECT_EQ(stack.Count(), 0);
}

}  // namespace
