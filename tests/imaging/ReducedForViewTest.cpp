#include <gtest/gtest.h>

#include "TGPBitmap.h"
#include "TestImages.h"

namespace imaging {
namespace {

TEST(ReducedForView, AFineCheckerboardBecomesFlatGrey) {
  QImage board(1000, 700, QImage::Format_RGB32);
  for (int y = 0; y < board.height(); ++y)
    for (int x = 0; x < board.width(); ++x)
      board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  for (QSize size : {QSize(460, 340), QSize(333, 211), QSize(100, 70)}) {
    const QImage reduced = ReducedForView(board, size);
    ASSERT_EQ(reduced.size(), size);
    int lowest = 255, highest = 0;
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) {
        const QRgb p = reduced.pixel(x, y);
        ASSERT_EQ(qAlpha(p), 255);
        ASSERT_EQ(qRed(p), qBlue(p));
        lowest = std::min(lowest, qRed(p));
        highest = std::max(highest, qRed(p));
      }
    // Each output pixel covers about half white: grey near 128, no moiré bands.
    EXPECT_GE(lowest, 108) << size.width();
    EXPECT_LE(highest, 148) << size.width();
  }
}

TEST(ReducedForView, AveragesAreasAndLetsTransparencyLendNoColour) {
  QImage image(4, 2, QImage::Format_ARGB32);
  image.fill(0);
  image.setPixel(0, 0, qRgba(200, 100, 0, 255));
  image.setPixel(1, 0, qRgba(200, 100, 0, 255));
  image.setPixel(0, 1, qRgba(0, 0, 0, 0));
  image.setPixel(1, 1, qRgba(255, 255, 255, 0));  // invisible white must not brighten
  for (int x = 2; x < 4; ++x)
    for (int y = 0; y < 2; ++y) image.setPixel(x, y, qRgb(10, 20, 30));
  const QImage reduced = ReducedForView(image, QSize(2, 1)).convertToFormat(QImage::Format_ARGB32);
  // Premultiplied 8-bit results come back straight within one step.
  EXPECT_LE(test::ChannelDistance(reduced.pixel(0, 0), qRgba(200, 100, 0, 128)), 1);
  EXPECT_EQ(reduced.pixel(1, 0), qRgb(10, 20, 30));
}

TEST(ReducedForView, ReadsEveryFormatAlike) {
  const QImage photo = test::PhotoLike(90, 60);
  const QImage expected = ReducedForView(photo, QSize(31, 17));
  for (QImage::Format format :
       {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_ARGB32_Premultiplied})
    EXPECT_EQ(ReducedForView(photo.convertToFormat(format), QSize(31, 17)), expected) << format;
}

}  // namespace
}  // namespace imaging
