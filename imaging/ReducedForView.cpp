#include <algorithm>
#include <cmath>
#include <vector>

#include "ParallelRows.h"
#include "PixelMemory.h"
#include "RowConverter.h"
#include "TGPBitmap.h"

namespace imaging {
namespace {

// For each output pixel along one axis, the source pixels its box covers and how much of each.
struct Coverage {
  std::vector<int> first;      // first source pixel of output pixel i
  std::vector<int> offset;     // where output pixel i's weights start in weights
  std::vector<float> weights;  // one per covered source pixel, summing to the box's size

  Coverage(int sourceLength, int outputLength) {
    const double scale = double(sourceLength) / outputLength;
    for (int i = 0; i < outputLength; ++i) {
      const double start = i * scale, end = (i + 1) * scale;
      const int from = int(std::floor(start));
      const int to = std::min(sourceLength, int(std::ceil(end)));
      first.push_back(from);
      offset.push_back(int(weights.size()));
      for (int s = from; s < to; ++s)
        weights.push_back(float(std::min(end, s + 1.0) - std::max(start, double(s))));
    }
    offset.push_back(int(weights.size()));
  }
  int Count(int i) const { return offset[std::size_t(i) + 1] - offset[std::size_t(i)]; }
  const float* Weights(int i) const { return weights.data() + offset[std::size_t(i)]; }
};

// Where rows can be read without conversion, and how their colour channels become
// premultiplied: RGB32 is opaque, ARGB32 straight, ARGB32_Premultiplied ready.
struct RowForm {
  QImage::Format read;
  std::uint32_t alphaOr;
  bool premultiplied;
};

RowForm FormOf(QImage::Format format) {
  switch (format) {
    case QImage::Format_RGB32:
      return {format, 0xFF000000u, true};
    case QImage::Format_ARGB32:
      return {format, 0, false};
    default:
      return {QImage::Format_ARGB32_Premultiplied, 0, true};
  }
}

// Adds weight × the row's premultiplied channels, scaled by 255, into sums (b, g, r, a per pixel).
void Accumulate(const std::uint32_t* row, int width, const RowForm& form, float weight,
                float* sums) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = row[x] | form.alphaOr;
    const float a = float(p >> 24);
    const float k = weight * (form.premultiplied ? 255.0f : a);
    sums[4 * x + 0] += k * float(p & 0xFF);
    sums[4 * x + 1] += k * float(p >> 8 & 0xFF);
    sums[4 * x + 2] += k * float(p >> 16 & 0xFF);
    sums[4 * x + 3] += weight * 255.0f * a;
  }
}

}  // namespace

QImage ReducedForView(const QImage& source, QSize size) {
  if (source.isNull() || size.isEmpty()) return {};
  QImage reduced =
      PixelMemory::Allocate(size.width(), size.height(), QImage::Format_ARGB32_Premultiplied);
  const Coverage columns(source.width(), size.width()), rows(source.height(), size.height());
  const RowForm form = FormOf(source.format());
  const double boxArea = double(source.width()) / size.width() * source.height() / size.height();
  const float toPixel = float(1.0 / (255.0 * boxArea));
  uchar* const bits = reduced.bits();
  const qsizetype bytesPerLine = reduced.bytesPerLine();
  ParallelRows(size.height(), [&](int begin, int end) {
    RowConverter reader(source, form.read);
    std::vector<float> sums(std::size_t(source.width()) * 4);
    for (int y = begin; y < end; ++y) {
      std::fill(sums.begin(), sums.end(), 0.0f);
      for (int i = 0; i < rows.Count(y); ++i)
        Accumulate(reader.Row(rows.first[std::size_t(y)] + i, 0), source.width(), form,
                   rows.Weights(y)[i], sums.data());
      auto* out = reinterpret_cast<std::uint32_t*>(bits + y * bytesPerLine);
      for (int x = 0; x < size.width(); ++x) {
        float channel[4] = {0, 0, 0, 0};
        const float* weight = columns.Weights(x);
        const float* sum = sums.data() + 4 * columns.first[std::size_t(x)];
        for (int i = 0; i < columns.Count(x); ++i)
          for (int c = 0; c < 4; ++c) channel[c] += weight[i] * sum[4 * i + c];
        const std::uint32_t a = std::min(255u, std::uint32_t(std::lrint(channel[3] * toPixel)));
        std::uint32_t pixel = a << 24;
        for (int c = 0; c < 3; ++c)
          pixel |= std::min(a, std::uint32_t(std::lrint(channel[c] * toPixel))) << (8 * c);
        out[x] = pixel;
      }
    }
  });
  reduced.setDotsPerMeterX(source.dotsPerMeterX());
  reduced.setDotsPerMeterY(source.dotsPerMeterY());
  return reduced;
}

}  // namespace imaging
