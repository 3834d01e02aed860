#include "TGPBitmap.h"

#include <cstring>

#include "Exception.h"
#include "ImageEncoder.h"
#include "PixelMemory.h"
#include "RowConverter.h"

namespace imaging {

std::unique_ptr<TGPBitmap> TGPBitmap::FromHBITMAP(const QImage& bitmap) {
  if (bitmap.isNull()) return nullptr;
  QImage copy = PixelMemory::Allocate(bitmap.width(), bitmap.height(), bitmap.format());
  const std::size_t rowBytes = std::size_t(std::min(bitmap.bytesPerLine(), copy.bytesPerLine()));
  for (int y = 0; y < bitmap.height(); ++y)
    std::memcpy(copy.scanLine(y), bitmap.constScanLine(y), rowBytes);
  copy.setColorTable(bitmap.colorTable());
  // A bitmap that records no resolution (Qt gives such images its default) is shown at the
  // screen's customary 96 dpi, as PixelMemory::Allocate set.
  const QImage unset(1, 1, QImage::Format_ARGB32);
  const bool recorded = bitmap.dotsPerMeterX() > 0 && bitmap.dotsPerMeterY() > 0 &&
                        (bitmap.dotsPerMeterX() != unset.dotsPerMeterX() ||
                         bitmap.dotsPerMeterY() != unset.dotsPerMeterY());
  if (recorded) {
    copy.setDotsPerMeterX(bitmap.dotsPerMeterX());
    copy.setDotsPerMeterY(bitmap.dotsPerMeterY());
  }
  return std::make_unique<TGPBitmap>(std::move(copy));
}

std::unique_ptr<TGPBitmap> TGPBitmap::FromScan0(int width, int height) {
  // A fresh mapping is zero already, which is transparent black: nothing to write.
  auto bitmap =
      std::make_unique<TGPBitmap>(PixelMemory::Allocate(width, height, QImage::Format_ARGB32));
  bitmap->FBlank = true;
  return bitmap;
}

std::unique_ptr<TGPBitmap> TGPBitmap::CloneArea(const QRect& area) const {
  if (area.isEmpty() || !FImage.rect().contains(area)) return nullptr;
  QImage copy = PixelMemory::Allocate(area.width(), area.height(), QImage::Format_ARGB32);
  ConvertArea(FImage, area, copy);
  copy.setDotsPerMeterX(FImage.dotsPerMeterX());
  copy.setDotsPerMeterY(FImage.dotsPerMeterY());
  return std::make_unique<TGPBitmap>(std::move(copy));
}

void TGPBitmap::Save(const QString& path, const QString& encoderClsid) const {
  SaveImage(FImage, path, encoderClsid);
}

}  // namespace imaging
