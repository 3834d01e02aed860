#include "Completeness.h"

#include <QtEndian>
#include <cstdlib>

namespace imaging {
namespace {

// Uncompressed BMP: the pixel rows the header describes must all be there.
bool BmpComplete(QIODevice& file) {
  const QByteArray header = file.peek(54);
  if (header.size() < 30) return false;
  const auto* h = reinterpret_cast<const uchar*>(header.constData());
  const quint32 pixelsAt = qFromLittleEndian<quint32>(h + 10);
  const quint32 infoSize = qFromLittleEndian<quint32>(h + 14);
  qint64 width, height, bits, compression = 0;
  if (infoSize == 12) {  // OS/2 header, 16-bit fields, never compressed
    width = qFromLittleEndian<quint16>(h + 18);
    height = qFromLittleEndian<quint16>(h + 20);
    bits = qFromLittleEndian<quint16>(h + 24);
  } else {
    if (header.size() < 34) return false;
    width = qFromLittleEndian<qint32>(h + 18);
    height = std::abs(qint64(qFromLittleEndian<qint32>(h + 22)));
    bits = qFromLittleEndian<quint16>(h + 28);
    compression = qFromLittleEndian<quint32>(h + 30);
  }
  const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
  if (!uncompressed) return true;
  const qint64 rowBytes = (width * bits + 31) / 32 * 4;
  return file.size() >= qint64(pixelsAt) + rowBytes * height;
}

// Skips data sub-blocks up to and including their empty terminator.
bool SkipSubBlocks(const QByteArray& data, qsizetype& at) {
  while (at < data.size()) {
    const uchar length = uchar(data[at++]);
    if (length == 0) return true;
    at += length;
  }
  return false;
}

// GIF: the blocks up to the end of the first image's data must all be there.
bool GifComplete(QIODevice& file) {
  const QByteArray data = file.readAll();
  file.seek(0);
  if (data.size() < 13) return false;
  qsizetype at = 13;
  const uchar screenFlags = uchar(data[10]);
  if (screenFlags & 0x80) at += 3 * (qsizetype(2) << (screenFlags & 7));
  while (at < data.size()) {
    const uchar introducer = uchar(data[at++]);
    if (introducer == 0x21) {  // extension: label, then sub-blocks
      ++at;
      if (!SkipSubBlocks(data, at)) return false;
    } else if (introducer == 0x2C) {  // image: descriptor, colours, code size, sub-blocks
      if (at + 9 > data.size()) return false;
      const uchar imageFlags = uchar(data[at + 8]);
      at += 9;
      if (imageFlags & 0x80) at += 3 * (qsizetype(2) << (imageFlags & 7));
      ++at;
      return at <= data.size() && SkipSubBlocks(data, at);
    } else {
      return false;  // the trailer or garbage before any image
    }
  }
  return false;
}

}  // namespace

bool HoldsAllItsData(QIODevice& file, const QByteArray& format) {
  if (format == "bmp") return BmpComplete(file);
  if (format == "gif") return GifComplete(file);
  return true;
}

}  // namespace imaging
