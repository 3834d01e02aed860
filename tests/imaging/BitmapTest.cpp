#include <gtest/gtest.h>

#include "Exception.h"
#include "PixelMemory.h"
#include "TGPBitmap.h"
#include "TestImages.h"

namespace imaging {
namespace {

TEST(FromScan0, MakesATransparentArgbImageOfThatSize) {
  auto bitmap = TGPBitmap::FromScan0(1300, 900);  // large enough for a mapping of its own
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Width(), 1300);
  EXPECT_EQ(bitmap->Height(), 900);
  EXPECT_EQ(bitmap->PixelFormat(), QImage::Format_ARGB32);
  for (int y : {0, 450, 899})
    for (int x : {0, 650, 1299}) EXPECT_EQ(bitmap->Image().pixel(x, y), 0u);
}

TEST(FromScan0, RefusesSizesThatCannotBeImages) {
  EXPECT_THROW(TGPBitmap::FromScan0(0, 10), Exception);
  EXPECT_THROW(TGPBitmap::FromScan0(10, -1), Exception);
  EXPECT_THROW(TGPBitmap::FromScan0(2000000000, 2000000000), Exception);
}

TEST(FromHBITMAP, CopiesPixelsFormatAndResolution) {
  QImage grey(5, 4, QImage::Format_Grayscale8);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) grey.scanLine(y)[x] = uchar(x * 50 + y);
  grey.setDotsPerMeterX(11811);
  grey.setDotsPerMeterY(5906);
  auto bitmap = TGPBitmap::FromHBITMAP(grey);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->PixelFormat(), QImage::Format_Grayscale8);
  EXPECT_EQ(bitmap->Image(), grey);
  EXPECT_EQ(bitmap->Image().dotsPerMeterX(), 11811);
  EXPECT_EQ(bitmap->Image().dotsPerMeterY(), 5906);
  grey.scanLine(0)[0] = 7;  // a copy, not shared
  EXPECT_EQ(bitmap->Image().constScanLine(0)[0], 0);
}

TEST(FromHBITMAP, GivesABitmapWithoutResolution96Dpi) {
  const QImage image = test::Marked(3, 2);  // nobody set its resolution
  auto bitmap = TGPBitmap::FromHBITMAP(image);
  EXPECT_NEAR(bitmap->Image().dotsPerMeterX() * 0.0254, 96, 0.05);
  EXPECT_NEAR(bitmap->Image().dotsPerMeterY() * 0.0254, 96, 0.05);
}

TEST(CloneArea, CopiesTheAreaAsArgb) {
  const QImage marked = test::Marked(30, 20);
  TGPBitmap bitmap(marked);
  auto area = bitmap.CloneArea(QRect(10, 5, 20, 15));
  ASSERT_TRUE(area);
  EXPECT_EQ(area->PixelFormat(), QImage::Format_ARGB32);
  EXPECT_EQ(area->Image(), marked.copy(10, 5, 20, 15));
}

TEST(CloneArea, GivesNothingForEmptyOrOutsideAreas) {
  TGPBitmap bitmap(test::Marked(30, 20));
  const struct {
    const char* name;
    QRect area;
  } cases[] = {{"zero width", QRect(3, 3, 0, 5)},
               {"zero height", QRect(3, 3, 5, 0)},
               {"beyond the right edge", QRect(25, 0, 6, 5)},
               {"above the top", QRect(0, -1, 5, 5)},
               {"wholly outside", QRect(40, 40, 5, 5)}};
  for (const auto& c : cases) EXPECT_FALSE(bitmap.CloneArea(c.area)) << c.name;
}

TEST(CloneArea, ConvertsEveryFormatToStraightArgbExactly) {
  const QImage marked = test::Marked(9, 5, 160);
  const QImage opaque = test::Marked(9, 5);
  QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8);
  const struct {
    const char* name;
    QImage source;
  } cases[] = {{"RGB888", opaque.convertToFormat(QImage::Format_RGB888)},
               {"Indexed8", indexed},
               {"Grayscale8", opaque.convertToFormat(QImage::Format_Grayscale8)},
               {"Mono", opaque.convertToFormat(QImage::Format_Mono)},
               {"RGB32", opaque.convertToFormat(QImage::Format_RGB32)},
               {"premultiplied", marked.convertToFormat(QImage::Format_ARGB32_Premultiplied)}};
  for (const auto& c : cases) {
    TGPBitmap bitmap(c.source);
    auto area = bitmap.CloneArea(QRect(1, 1, 7, 3));
    ASSERT_TRUE(area) << c.name;
    const QImage expected = c.source.convertToFormat(QImage::Format_ARGB32).copy(1, 1, 7, 3);
    EXPECT_EQ(area->Image(), expected) << c.name;
  }
}

class PixelMemoryLimit : public testing::Test {
 protected:
  void TearDown() override { SetPixelMemoryLimit(0); }
};

TEST_F(PixelMemoryLimit, MakesAllocationsThrowAndCountsNothingAfterwards) {
  const std::size_t before = PixelMemory::InUse();
  {
    auto source = TGPBitmap::FromScan0(700, 700);
    SetPixelMemoryLimit(PixelMemory::InUse() + (1 << 20));
    try {
      TGPBitmap::FromScan0(1000, 1000);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message().contains(QStringLiteral("メモリが足りません"))) << e.what();
      EXPECT_TRUE(e.Message().contains(QStringLiteral("1000 × 1000"))) << e.what();
    }
    EXPECT_THROW(source->CloneArea(QRect(0, 0, 600, 600)), Exception);
    EXPECT_THROW(TGPBitmap::FromHBITMAP(QImage(800, 800, QImage::Format_ARGB32)), Exception);
    EXPECT_TRUE(source->CloneArea(QRect(0, 0, 100, 100)));  // what fits still works
  }
  EXPECT_EQ(PixelMemory::InUse(), before);
}

}  // namespace
}  // namespace imaging
