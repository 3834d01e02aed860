#include "BenchImages.h"

#include <QDir>
#include <QImageWriter>

#include <cmath>
#include <cstdint>

namespace bench {

QImage PhotoLike(int width, int height, QImage::Format format) {
  QImage image(width, height, QImage::Format_ARGB32);
  std::uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = int(noise >> 28) - 8;
      const double u = double(x) / width, v = double(y) / height;
      const int edge = ((x / 97 + y / 61) % 5 == 0) ? 60 : 0;
      auto clamp = [](int c) { return c < 0 ? 0 : c > 255 ? 255 : c; };
      row[x] = qRgb(clamp(int(40 + 160 * u) + grain + edge),
                    clamp(int(128 + 90 * std::sin(9.0 * v + 4.0 * u)) + grain),
                    clamp(int(120 + 80 * std::cos(7.0 * u * v + 3.0 * v)) + grain - edge));
    }
  }
  return image.convertToFormat(format);
}

const QString& PhotoJpeg24() {
  static const QString path = [] {
    const QString p = QDir::temp().filePath("levelora-bench-24mp.jpg");
    QImageWriter writer(p, "jpeg");
    writer.setQuality(90);
    writer.write(PhotoLike(6000, 4000, QImage::Format_RGB32));
    return p;
  }();
  return path;
}

}  // namespace bench
