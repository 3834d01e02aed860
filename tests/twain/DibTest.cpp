#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Exception.h"
#include "SaneDib.h"
#include "SourceFailure.h"
#include "TwainUtils.h"

namespace {

void Put32(std::vector<uint8_t>& Dib, size_t At, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Dib[At + i] = static_cast<uint8_t>(Value >> (8 * i));
}

// An info-header DIB of Width x Height with the given bit count, palette and pixel bytes.
std::vector<uint8_t> InfoDib(int32_t Width, int32_t Height, uint16_t Bits, uint32_t ColoursUsed,
                             size_t PaletteEntries, size_t PixelBytes) {
  std::vector<uint8_t> dib(40 + 4 * PaletteEntries + PixelBytes, 0);
  Put32(dib, 0, 40);
  Put32(dib, 4, static_cast<uint32_t>(Width));
  Put32(dib, 8, static_cast<uint32_t>(Height));
  dib[12] = 1;
  dib[14] = static_cast<uint8_t>(Bits);
  Put32(dib, 32, ColoursUsed);
  return dib;
}

QString LoadError(const std::vector<uint8_t>& Dib) {
  QImage image;
  try {
    DibToBitmap(image, Dib.data(), Dib.size());
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}

}  // namespace

TEST(DibToBitmap, FindsThePixelBitsAfterTheFullPalette) {
  // 8 bits, colours used 0: 256 palette entries, pixel bits at 14 + 40 + 1024 = 1078.
  std::vector<uint8_t> dib = InfoDib(2, 1, 8, 0, 256, 4);
  const size_t palette = 40;
  std::memcpy(&dib[palette + 4 * 7], "\x30\x20\x10\x00", 4);  // entry 7: blue 30, green 20, red 10
  dib[palette + 1024] = 7;
  QImage image;
  DibToBitmap(image, dib.data(), dib.size());
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF, 0u);
}

TEST(DibToBitmap, ReadsTwentyFourBitPixelsRightAfterTheHeader) {
  std::vector<uint8_t> dib = InfoDib(1, 2, 24, 0, 0, 8);
  std::memcpy(&dib[40], "\x03\x02\x01\x00\x06\x05\x04\x00", 8);  // bottom row first
  QImage image;
  DibToBitmap(image, dib.data(), dib.size());
  ASSERT_EQ(image.size(), QSize(1, 2));
  EXPECT_EQ(image.pixel(0, 1) & 0xFFFFFF, 0x010203u);
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x040506u);
}

TEST(DibToBitmap, RefusesDibsThatLieAboutTheirSize) {
  const QString failed = QStringLiteral("転送中にエラー発生");
  EXPECT_EQ(LoadError(std::vector<uint8_t>(8, 0)), failed);
  std::vector<uint8_t> tallerThanItsBits = InfoDib(100, 100000, 24, 0, 0, 1200);
  EXPECT_EQ(LoadError(tallerThanItsBits), failed);
  std::vector<uint8_t> hugePalette = InfoDib(1, 1, 8, 0x40000000, 0, 4);
  EXPECT_EQ(LoadError(hugePalette), failed);
  std::vector<uint8_t> headerPastTheEnd = InfoDib(1, 1, 24, 0, 0, 4);
  Put32(headerPastTheEnd, 0, 4000);
  EXPECT_EQ(LoadError(headerPastTheEnd), failed);
  EXPECT_EQ(LoadError(InfoDib(0, 1, 24, 0, 0, 4)), failed);
}

TEST(SaneFrameToDib, RefusesFramesThatContradictTheirParameters) {
  struct TCase {
    const char* Name;
    SANE_Parameters Params;
    size_t DataSize;
  };
  // Fields: format, last frame, bytes per line, pixels per line, lines, depth.
  const SANE_Parameters gray{SANE_FRAME_GRAY, SANE_TRUE, 10, 10, 4, 8};
  const TCase cases[] = {
      {"fewer lines than announced", gray, 30},
      {"more lines than announced", gray, 50},
      {"no lines", gray, 0},
      {"a partial line", {SANE_FRAME_GRAY, SANE_TRUE, 10, 10, -1, 8}, 25},
      {"lines shorter than their pixels", {SANE_FRAME_RGB, SANE_TRUE, 10, 10, 4, 8}, 40},
      {"no pixels", {SANE_FRAME_GRAY, SANE_TRUE, 0, 0, 4, 8}, 0},
      {"an odd depth", {SANE_FRAME_GRAY, SANE_TRUE, 10, 10, 4, 4}, 40},
      {"one of several passes", {SANE_FRAME_RED, SANE_TRUE, 10, 10, 4, 8}, 40},
  };
  for (const TCase& c : cases) {
    EXPECT_THROW(SaneFrameToDib(c.Params, std::vector<uint8_t>(c.DataSize), 100), TSourceFailure)
        << c.Name;
  }
}

TEST(SaneFrameToDib, KeepsLineArtAndScalesSixteenBitSamples) {
  const std::vector<uint8_t> bits{0x80};  // first pixel black
  HGLOBAL handle = SaneFrameToDib({SANE_FRAME_GRAY, SANE_TRUE, 1, 2, 1, 1}, bits, 300);
  QImage image;
  DibToBitmap(image, static_cast<const uint8_t*>(GlobalLock(handle)), GlobalSize(handle));
  GlobalFree(handle);
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(image.dotsPerMeterX(), 11811);

  const uint16_t samples[3] = {0xFF00, 0x8000, 0x0100};
  std::vector<uint8_t> rgb(6);
  std::memcpy(rgb.data(), samples, 6);
  handle = SaneFrameToDib({SANE_FRAME_RGB, SANE_TRUE, 6, 1, 1, 16}, rgb, 300);
  DibToBitmap(image, static_cast<const uint8_t*>(GlobalLock(handle)), GlobalSize(handle));
  GlobalFree(handle);
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFF8001u);
}
