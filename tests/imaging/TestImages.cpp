#include "TestImages.h"

#include <algorithm>
#include <cmath>

namespace imaging::test {

QImage Marked(int width, int height, int alpha) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y,
                     qRgba(20 + x * 230 / std::max(1, width - 1),
                           20 + y * 230 / std::max(1, height - 1), (x * 37 + y * 91) % 256, alpha));
  return image;
}

QImage PhotoLike(int width, int height, QImage::Format format) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const double u = double(x) / width, v = double(y) / height;
      row[x] = qRgb(int(40 + 180 * u), int(128 + 100 * std::sin(6.0 * v + 3.0 * u)),
                    int(128 + 90 * std::cos(5.0 * u * v + 2.0 * v)));
    }
  }
  return image.convertToFormat(format);
}

Turn TurnedCorners(int width, int height, double angle) {
  const double r = angle * M_PI / 180, s = std::sin(r), c = std::cos(r);
  const float corners[4][2] = {
      {0, 0}, {float(width), 0}, {0, float(height)}, {float(width), float(height)}};
  float turned[4][2];
  for (int i = 0; i < 4; ++i) {
    turned[i][0] = float(c * corners[i][0] - s * corners[i][1]);
    turned[i][1] = float(s * corners[i][0] + c * corners[i][1]);
  }
  float minX = turned[0][0], minY = turned[0][1], maxX = minX, maxY = minY;
  for (auto& p : turned) {
    minX = std::min(minX, p[0]);
    maxX = std::max(maxX, p[0]);
    minY = std::min(minY, p[1]);
    maxY = std::max(maxY, p[1]);
  }
  Turn turn;
  turn.canvas = QSize(int(std::nearbyint((long double)maxX - minX)),
                      int(std::nearbyint((long double)maxY - minY)));
  for (int i = 0; i < 3; ++i)
    turn.points[i] = QPointF(float(turned[i][0] - minX), float(turned[i][1] - minY));
  return turn;
}

std::unique_ptr<TGPBitmap> DrawOnCanvas(const TGPBitmap& source, QSize canvas,
                                        const QPointF (&points)[3], std::uint32_t background) {
  auto target = TGPBitmap::FromScan0(canvas.width(), canvas.height());
  TGPGraphics graphics(*target);
  graphics.FillRectangle(background, QRectF(0, 0, canvas.width(), canvas.height()));
  graphics.DrawImagePoints(source, points);
  return target;
}

std::uint32_t ReferencePremultiplied(const QImage& source, const QPointF (&p)[3], int x, int y,
                                     std::uint32_t background) {
  const int w = source.width(), h = source.height();
  const double e1x = (p[1].x() - p[0].x()) / w, e1y = (p[1].y() - p[0].y()) / w;
  const double e2x = (p[2].x() - p[0].x()) / h, e2y = (p[2].y() - p[0].y()) / h;
  const double det = e1x * e2y - e2x * e1y;
  const double dx = x + 0.5 - p[0].x(), dy = y + 0.5 - p[0].y();
  const double s = (e2y * dx - e2x * dy) / det - 0.5, t = (-e1y * dx + e1x * dy) / det - 0.5;
  const double fs = std::floor(s), ft = std::floor(t), ws = s - fs, wt = t - ft;
  double channel[4] = {0, 0, 0, 0};  // b, g, r, a premultiplied, 0..255
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) {
      const int sx = int(fs) + i, sy = int(ft) + j;
      if (sx < 0 || sy < 0 || sx >= w || sy >= h) continue;
      const QRgb c = source.pixel(sx, sy);
      const double weight = (i ? ws : 1 - ws) * (j ? wt : 1 - wt), a = qAlpha(c) / 255.0;
      channel[0] += weight * qBlue(c) * a;
      channel[1] += weight * qGreen(c) * a;
      channel[2] += weight * qRed(c) * a;
      channel[3] += weight * qAlpha(c);
    }
  const double ba = qAlpha(background) / 255.0, keep = 1 - channel[3] / 255.0;
  const double under[4] = {qBlue(background) * ba, qGreen(background) * ba, qRed(background) * ba,
                           qAlpha(background) * 1.0};
  std::uint32_t out = 0;
  for (int c = 0; c < 4; ++c)
    out |= std::uint32_t(std::lround(channel[c] + under[c] * keep)) << (8 * c);
  return out;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 32; shift += 8)
    worst = std::max(worst, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
  return worst;
}

}  // namespace imaging::test
