#include <QColorSpace>
#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <climits>

#include "Completeness.h"
#include "Exception.h"
#include "PixelMemory.h"
#include "RowConverter.h"
#include "TGPBitmap.h"

namespace imaging {
namespace {

// Qt's reader refuses images above its allocation limit (128 MB by default, less than a 1200-dpi
// A4 scan); the pixel-memory budget is the limit here instead.
void RaiseAllocationLimit() {
  const std::size_t megabytes = PixelMemory::Available() >> 20;
  QImageReader::setAllocationLimit(int(std::min<std::size_t>(megabytes, INT_MAX)));
}

// The buffer to decode into when the header tells size and format: the reader fills an image it is
// given when both match. A null image leaves the allocation to the reader. Throws when the header
// claims more than the budget allows.
QImage DecodeTarget(QImageReader& reader) {
  const QSize size = reader.size();
  const QImage::Format format = reader.imageFormat();
  if (!size.isValid()) return {};
  if (PixelMemory::BytesFor(size.width(), size.height(),
                            format == QImage::Format_Invalid ? QImage::Format_ARGB32 : format) >
      PixelMemory::Available())
    throw Exception(QStringLiteral("画像が大きすぎます。"));
  if (format == QImage::Format_Invalid) return {};
  return PixelMemory::Allocate(size.width(), size.height(), format);
}

// Qt's TIFF reader hands back straight alpha premultiplied; the program works on straight ARGB.
QImage Straightened(QImage image) {
  if (image.format() != QImage::Format_ARGB32_Premultiplied) return image;
  QImage straight = PixelMemory::Allocate(image.width(), image.height(), QImage::Format_ARGB32);
  ConvertArea(image, image.rect(), straight);
  straight.setDotsPerMeterX(image.dotsPerMeterX());
  straight.setDotsPerMeterY(image.dotsPerMeterY());
  return straight;
}

}  // namespace

std::unique_ptr<TGPBitmap> TGPBitmap::FromFile(const QString& path) {
  try {
    RaiseAllocationLimit();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    if (!reader.canRead() || !HoldsAllItsData(file, reader.format())) return nullptr;
    QImage image = DecodeTarget(reader);
    if (!reader.read(&image) || image.isNull()) return nullptr;
    // Pixels are shown as stored: no colour management.
    image.setColorSpace(QColorSpace());
    return std::make_unique<TGPBitmap>(Straightened(std::move(image)));
  } catch (const Exception&) {
    return nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace imaging
