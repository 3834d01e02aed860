#include "AffineDraw.h"

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <vector>

#include "ParallelRows.h"
#include "PixelMemory.h"
#include "Pixels.h"
#include "RowConverter.h"

namespace imaging {
namespace {

// Coordinate spaces, numbered as referred to below:
//  (1) target space: target pixel (x, y) covers [x, x + 1) × [y, y + 1), y pointing down, so its
//      centre is (x + ½, y + ½). With y down, the points of a positive angle (as the editor turns)
//      describe a picture turned clockwise on screen; the kernel sees only the parallelogram.
//  (2) source space (u, v): the source's corners at (0, 0), (w, 0), (0, h) and (w, h); the
//      points put (0, 0), (w, 0) and (0, h) on points[0], points[1] and points[2].
//  (3) sample space (s, t) = (u − ½, v − ½): source pixel (i, j) has its centre at (i, j), and the
//      bilinear weights are the fractions of s and t.
// Every target pixel centre in (1) is mapped back through the inverse of (2) → (1) into (3).
struct InverseMap {
  double s0, t0;      // (3) of the centre of target pixel (0, 0)
  double dsdx, dtdx;  // change per target column
  double dsdy, dtdy;  // change per target row
};

std::optional<InverseMap> Invert(const QPointF (&p)[3], int w, int h) {
  const double e1x = (p[1].x() - p[0].x()) / w, e1y = (p[1].y() - p[0].y()) / w;
  const double e2x = (p[2].x() - p[0].x()) / h, e2y = (p[2].y() - p[0].y()) / h;
  const double det = e1x * e2y - e2x * e1y;
  if (!std::isfinite(det) || std::abs(det) < 1e-12) return std::nullopt;
  InverseMap m;
  m.dsdx = e2y / det;
  m.dsdy = -e2x / det;
  m.dtdx = -e1y / det;
  m.dtdy = e1x / det;
  const double cx = 0.5 - p[0].x(), cy = 0.5 - p[0].y();
  m.s0 = m.dsdx * cx + m.dsdy * cy - 0.5;
  m.t0 = m.dtdx * cx + m.dtdy * cy - 0.5;
  if (!std::isfinite(m.s0) || !std::isfinite(m.t0)) return std::nullopt;
  return m;
}

// A mapping onto the pixel grid: each target pixel centre lands on a source pixel centre.
struct GridMap {
  int s0, t0, dsdx, dtdx, dsdy, dtdy;
};

std::optional<GridMap> OnGrid(const InverseMap& m, int targetWidth, int targetHeight) {
  // Near enough that no sample anywhere on the target strays by a thousandth of a pixel: the
  // editor's points for ±90° carry float noise of that kind.
  const double extent = std::max(targetWidth, targetHeight) + 1.0;
  auto whole = [](double value, double scale, int& out) {
    const double r = std::round(value);
    if (std::abs(r) > 1e9 || std::abs(value - r) * scale > 1e-3) return false;
    out = int(r);
    return true;
  };
  GridMap g;
  if (!whole(m.dsdx, extent, g.dsdx) || !whole(m.dtdx, extent, g.dtdx) ||
      !whole(m.dsdy, extent, g.dsdy) || !whole(m.dtdy, extent, g.dtdy) || !whole(m.s0, 1.0, g.s0) ||
      !whole(m.t0, 1.0, g.t0))
    return std::nullopt;
  if (std::abs(g.dsdx) + std::abs(g.dsdy) != 1 || std::abs(g.dtdx) + std::abs(g.dtdy) != 1 ||
      g.dsdx * g.dtdy - g.dsdy * g.dtdx == 0)
    return std::nullopt;
  return g;
}

// 32-bit source pixels as the kernels read them; alphaOr makes RGB32's undefined top byte opaque.
struct SourceView {
  const std::uint32_t* bits;
  qsizetype stride;  // in pixels
  int width, height;
  std::uint32_t alphaOr;
};

// The source in a form a kernel reads directly, with the converted copy that backs it if one was
// needed.
struct PreparedSource {
  QImage copy;
  SourceView view;
};

SourceView ViewOf(const QImage& image, std::uint32_t alphaOr) {
  return {reinterpret_cast<const std::uint32_t*>(image.constBits()), image.bytesPerLine() / 4,
          image.width(), image.height(), alphaOr};
}

PreparedSource Converted(const QImage& source, QImage::Format format) {
  PreparedSource prepared;
  prepared.copy = PixelMemory::Allocate(source.width(), source.height(), format);
  ConvertArea(source, source.rect(), prepared.copy);
  prepared.view = ViewOf(prepared.copy, 0);
  return prepared;
}

bool IsOpaque(const QImage& image) {
  std::atomic<bool> opaque{true};
  const int width = image.width();
  ParallelRows(image.height(), [&](int begin, int end) {
    for (int y = begin; y < end && opaque.load(std::memory_order_relaxed); ++y) {
      const auto* p = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
      std::uint32_t all = 0xFF000000u;
      for (int x = 0; x < width; ++x) all &= p[x];
      if (all < 0xFF000000u) opaque = false;
    }
  });
  return opaque;
}

// Straight pixels, for the exact grid copy.
PreparedSource Straight(const QImage& source) {
  if (source.format() == QImage::Format_ARGB32) return {{}, ViewOf(source, 0)};
  if (source.format() == QImage::Format_RGB32) return {{}, ViewOf(source, 0xFF000000u)};
  return Converted(source, QImage::Format_ARGB32);
}

// Premultiplied pixels, for bilinear sampling; an opaque straight image is premultiplied as is.
PreparedSource Premultiplied(const QImage& source) {
  switch (source.format()) {
    case QImage::Format_RGB32:
      return {{}, ViewOf(source, 0xFF000000u)};
    case QImage::Format_ARGB32_Premultiplied:
      return {{}, ViewOf(source, 0)};
    case QImage::Format_ARGB32:
      if (IsOpaque(source)) return {{}, ViewOf(source, 0)};
      [[fallthrough]];
    default:
      return Converted(source, QImage::Format_ARGB32_Premultiplied);
  }
}

// Bilinear blend of four premultiplied pixels with weights wx, wy in 0..256 (256 = all of the
// right or lower pixel). The four weights sum to 256 exactly, so a fraction of 0 gives back the
// pixel and a constant image stays constant. Two channels share each 32-bit product.
inline std::uint32_t Bilinear(std::uint32_t tl, std::uint32_t tr, std::uint32_t bl,
                              std::uint32_t br, std::uint32_t wx, std::uint32_t wy) {
  const std::uint32_t w11 = (wx * wy + 128) >> 8;
  const std::uint32_t w01 = wx - w11, w10 = wy - w11, w00 = 256 - wx - wy + w11;
  constexpr std::uint32_t m = 0x00FF00FFu;
  const std::uint32_t rb =
      (((tl & m) * w00 + (tr & m) * w01 + (bl & m) * w10 + (br & m) * w11 + 0x00800080u) >> 8) & m;
  const std::uint32_t ag = ((tl >> 8 & m) * w00 + (tr >> 8 & m) * w01 + (bl >> 8 & m) * w10 +
                            (br >> 8 & m) * w11 + 0x00800080u) &
                           ~m;
  return rb | ag;
}

inline std::uint32_t Weight(float fraction) {
  return std::uint32_t(std::clamp(int(std::lrint(fraction * 256.0f)), 0, 256));
}

// Samples at (s + i·ds, t + i·dt), i < n, all of whose four pixels lie inside the source.
void SampleInteriorScalar(const SourceView& src, float s, float t, float ds, float dt, int n,
                          std::uint32_t* out) {
  for (int i = 0; i < n; ++i) {
    const float fs = s + float(i) * ds, ft = t + float(i) * dt;
    const int is = std::clamp(int(fs), 0, src.width - 2),
              it = std::clamp(int(ft), 0, src.height - 2);
    const std::uint32_t* p = src.bits + it * src.stride + is;
    out[i] =
        Bilinear(p[0] | src.alphaOr, p[1] | src.alphaOr, p[src.stride] | src.alphaOr,
                 p[src.stride + 1] | src.alphaOr, Weight(fs - float(is)), Weight(ft - float(it)));
  }
}

#define LEVELORA_AVX2 __attribute__((target("avx2,fma")))

// Both 16-bit halves of each lane carry the weight.
LEVELORA_AVX2 inline __m256i Paired(__m256i w) {
  return _mm256_or_si256(w, _mm256_slli_epi32(w, 16));
}

// The fraction f − whole as a weight in 0..256.
LEVELORA_AVX2 inline __m256i Weights(__m256 f, __m256i whole) {
  const __m256i w = _mm256_cvtps_epi32(
      _mm256_mul_ps(_mm256_sub_ps(f, _mm256_cvtepi32_ps(whole)), _mm256_set1_ps(256.0f)));
  return _mm256_min_epi32(_mm256_max_epi32(w, _mm256_setzero_si256()), _mm256_set1_epi32(256));
}

// Σ channel × weight + ½ in 16-bit lanes; the four weights sum to 256, so nothing overflows.
LEVELORA_AVX2 inline __m256i Blend(__m256i a, __m256i b, __m256i c, __m256i d, __m256i w00,
                                   __m256i w01, __m256i w10, __m256i w11) {
  const __m256i sum =
      _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(a, w00), _mm256_mullo_epi16(b, w01)),
                       _mm256_add_epi16(_mm256_mullo_epi16(c, w10), _mm256_mullo_epi16(d, w11)));
  return _mm256_add_epi16(sum, _mm256_set1_epi32(0x00800080));
}

// The pixel pairs at row + a, b (lower half) and row + c, d (upper half), 64 bits each.
LEVELORA_AVX2 inline __m256 Pairs(const int* row, int a, int b, int c, int d) {
  auto pair = [](const int* p) {
    return _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(p));
  };
  const __m128 low = _mm_loadh_pi(pair(row + a), reinterpret_cast<const __m64*>(row + b));
  const __m128 high = _mm_loadh_pi(pair(row + c), reinterpret_cast<const __m64*>(row + d));
  return _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
}
LEVELORA_AVX2 inline __m256i Lefts(__m256 a, __m256 b) {
  return _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
}
LEVELORA_AVX2 inline __m256i Rights(__m256 a, __m256 b) {
  return _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
}

// The same samples eight at a time with AVX2, as Bilinear computes them.
LEVELORA_AVX2 void SampleInteriorAvx2(const SourceView& src, float s, float t, float ds, float dt,
                                      int n, std::uint32_t* out) {
  const __m256 lane = _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256 vds = _mm256_set1_ps(ds), vdt = _mm256_set1_ps(dt);
  const __m256 vs = _mm256_set1_ps(s), vt = _mm256_set1_ps(t);
  const __m256i zero = _mm256_setzero_si256(), full = _mm256_set1_epi32(256);
  const __m256i maxS = _mm256_set1_epi32(src.width - 2), maxT = _mm256_set1_epi32(src.height - 2);
  const __m256i stride = _mm256_set1_epi32(int(src.stride));
  const __m256i low = _mm256_set1_epi32(0x00FF00FF);
  const __m256i alphaOr = _mm256_set1_epi32(int(src.alphaOr));
  const int* top = reinterpret_cast<const int*>(src.bits);
  const int* bottom = top + src.stride;
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256 x = _mm256_add_ps(_mm256_set1_ps(float(i)), lane);
    const __m256 fs = _mm256_fmadd_ps(x, vds, vs), ft = _mm256_fmadd_ps(x, vdt, vt);
    const __m256i is = _mm256_min_epi32(_mm256_max_epi32(_mm256_cvttps_epi32(fs), zero), maxS);
    const __m256i it = _mm256_min_epi32(_mm256_max_epi32(_mm256_cvttps_epi32(ft), zero), maxT);
    const __m256i wx = Weights(fs, is), wy = Weights(ft, it);
    const __m256i w11 =
        _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(wx, wy), _mm256_set1_epi32(128)), 8);
    const __m256i w01 = Paired(_mm256_sub_epi32(wx, w11)), w10 = Paired(_mm256_sub_epi32(wy, w11));
    const __m256i w00 =
        Paired(_mm256_add_epi32(_mm256_sub_epi32(_mm256_sub_epi32(full, wx), wy), w11));
    const __m256i w11p = Paired(w11);
    alignas(32) int index[8];
    _mm256_store_si256(reinterpret_cast<__m256i*>(index),
                       _mm256_add_epi32(_mm256_mullo_epi32(it, stride), is));
    // Each sample's left and right pixels lie side by side: one 64-bit load per row fetches both,
    // which beats gathers. Pixels 0, 1, 4, 5 and 2, 3, 6, 7 share a register so that the shuffles
    // below give every tap in sample order.
    const __m256 top0 = Pairs(top, index[0], index[1], index[4], index[5]);
    const __m256 top1 = Pairs(top, index[2], index[3], index[6], index[7]);
    const __m256 bottom0 = Pairs(bottom, index[0], index[1], index[4], index[5]);
    const __m256 bottom1 = Pairs(bottom, index[2], index[3], index[6], index[7]);
    const __m256i tl = _mm256_or_si256(Lefts(top0, top1), alphaOr);
    const __m256i tr = _mm256_or_si256(Rights(top0, top1), alphaOr);
    const __m256i bl = _mm256_or_si256(Lefts(bottom0, bottom1), alphaOr);
    const __m256i br = _mm256_or_si256(Rights(bottom0, bottom1), alphaOr);
    const __m256i rb = _mm256_srli_epi16(
        Blend(_mm256_and_si256(tl, low), _mm256_and_si256(tr, low), _mm256_and_si256(bl, low),
              _mm256_and_si256(br, low), w00, w01, w10, w11p),
        8);
    const __m256i ag = _mm256_andnot_si256(
        low, Blend(_mm256_and_si256(_mm256_srli_epi32(tl, 8), low),
                   _mm256_and_si256(_mm256_srli_epi32(tr, 8), low),
                   _mm256_and_si256(_mm256_srli_epi32(bl, 8), low),
                   _mm256_and_si256(_mm256_srli_epi32(br, 8), low), w00, w01, w10, w11p));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_or_si256(rb, ag));
  }
  if (i < n)
    SampleInteriorScalar(src, s + float(i) * ds, t + float(i) * dt, ds, dt, n - i, out + i);
}

using InteriorSampler = void (*)(const SourceView&, float, float, float, float, int,
                                 std::uint32_t*);

InteriorSampler ChooseInteriorSampler(const SourceView& src) {
  // Gathers index with 32 bits.
  const bool indexable = double(src.stride) * src.height < 2147483647.0;
  return indexable && __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")
             ? SampleInteriorAvx2
             : SampleInteriorScalar;
}

// A sample anywhere: pixels outside the source count as transparent.
std::uint32_t SampleAnywhere(const SourceView& src, double s, double t) {
  const double fs = std::floor(s), ft = std::floor(t);
  const int is = int(fs), it = int(ft);
  auto at = [&](int x, int y) -> std::uint32_t {
    if (x < 0 || y < 0 || x >= src.width || y >= src.height) return 0;
    return src.bits[y * src.stride + x] | src.alphaOr;
  };
  return Bilinear(at(is, it), at(is + 1, it), at(is, it + 1), at(is + 1, it + 1),
                  Weight(float(s - fs)), Weight(float(t - ft)));
}

struct Span {
  int first, last;  // columns [first, last)
  bool Empty() const { return first >= last; }
  Span Within(Span other) const {
    return {std::max(first, other.first), std::min(last, other.last)};
  }
};

// The columns x in [0, n) where a + x·slope lies strictly between lo and hi, widened outwards by
// `widen` columns (negative: narrowed), so rounding can only err to the safe side.
Span Where(double a, double slope, double lo, double hi, int n, int widen) {
  if (std::abs(slope) < 1e-12) return (a > lo && a < hi) ? Span{0, n} : Span{0, 0};
  double x1 = (lo - a) / slope, x2 = (hi - a) / slope;
  if (x1 > x2) std::swap(x1, x2);
  const double first = std::clamp(std::floor(x1) + 1 - widen, 0.0, double(n));
  const double last = std::clamp(std::ceil(x2) + widen, 0.0, double(n));
  return {int(first), int(last)};
}

// Writes finished pixels onto the target over what lies under the picture.
class TargetRows {
 public:
  TargetRows(QImage& target, const Underlay& underlay)
      : FBits(reinterpret_cast<std::uint32_t*>(target.bits())),
        FStride(target.bytesPerLine() / 4),
        FWidth(target.width()),
        FUnderlay(underlay) {
    if (!underlay.uniform) return;
    const std::uint32_t under = qPremultiply(*underlay.uniform);
    for (std::uint32_t a = 0; a < 256; ++a) FUnderTerm[a] = Pixels::Scale(under, 255 - a);
  }

  std::uint32_t* Row(int y) const { return FBits + y * FStride; }

  // Columns [first, last) that the picture does not reach.
  void Uncovered(std::uint32_t* row, int first, int last) const {
    if (!FUnderlay.uniform || FUnderlay.inMemory) return;
    std::fill(row + first, row + last, *FUnderlay.uniform);
  }
  void Uncovered(std::uint32_t* row, Span covered) const {
    Uncovered(row, 0, std::max(0, covered.first));
    Uncovered(row, std::max(0, std::min(FWidth, covered.last)), FWidth);
  }

  // Whether samples may be written into the target row and finished there: over a uniform
  // underlay no target pixel needs reading.
  bool FinishesInPlace() const { return FUnderlay.uniform.has_value(); }

  // Premultiplied samples sampled into row[0..n) become their final straight pixels over the
  // uniform underlay. Opaque runs, the bulk of a picture, are left as they are.
  void FinishInPlace(std::uint32_t* row, int n) const {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
      std::uint32_t opaque = 0xFF000000u;
      for (int k = 0; k < 8; ++k) opaque &= row[i + k];
      if (opaque != 0xFF000000u)
        for (int k = 0; k < 8; ++k) row[i + k] = OverUniform(row[i + k]);
    }
    for (; i < n; ++i) row[i] = OverUniform(row[i]);
  }

  // n premultiplied samples over row[0..n).
  void Composite(std::uint32_t* row, const std::uint32_t* samples, int n) const {
    if (FinishesInPlace()) {
      std::copy(samples, samples + n, row);
      FinishInPlace(row, n);
      return;
    }
    for (int i = 0; i < n; ++i) {
      const std::uint32_t s = samples[i], a = Pixels::Alpha(s);
      if (a == 255)
        row[i] = s;
      else if (a != 0)
        row[i] = Pixels::ToStraight(Pixels::OverPremultiplied(s, qPremultiply(row[i])));
    }
  }

  // One straight source pixel over row[i].
  void CompositeStraight(std::uint32_t* row, int i, std::uint32_t s) const {
    row[i] = Pixels::OverStraight(s, FUnderlay.uniform ? *FUnderlay.uniform : row[i]);
  }

 private:
  std::uint32_t OverUniform(std::uint32_t s) const {
    const std::uint32_t a = Pixels::Alpha(s);
    if (a == 255) return s;
    return a == 0 ? *FUnderlay.uniform : Pixels::ToStraight(s + FUnderTerm[a]);
  }

  std::uint32_t* FBits;
  qsizetype FStride;
  int FWidth;
  Underlay FUnderlay;
  // Premultiplied underlay times (1 − α) for each sample alpha α.
  std::array<std::uint32_t, 256> FUnderTerm{};
};

void DrawGrid(const TargetRows& rows, const SourceView& src, const GridMap& g, int width,
              int height) {
  // Columns where a + x·slope (slope −1, 0 or 1) falls inside [0, limit).
  auto inside = [width](int a, int slope, int limit) -> Span {
    if (slope == 0) return a >= 0 && a < limit ? Span{0, width} : Span{0, 0};
    Span span = slope > 0 ? Span{-a, limit - a} : Span{a - limit + 1, a + 1};
    return span.Within({0, width});
  };
  ParallelRows(height, [&](int begin, int end) {
    for (int y = begin; y < end; ++y) {
      std::uint32_t* row = rows.Row(y);
      const int s = g.s0 + y * g.dsdy, t = g.t0 + y * g.dtdy;
      const Span span = inside(s, g.dsdx, src.width).Within(inside(t, g.dtdx, src.height));
      if (span.Empty()) {
        rows.Uncovered(row, 0, width);
        continue;
      }
      rows.Uncovered(row, span);
      const qsizetype step = g.dtdx * src.stride + g.dsdx;
      const std::uint32_t* p =
          src.bits + qsizetype(t + span.first * g.dtdx) * src.stride + (s + span.first * g.dsdx);
      for (int x = span.first; x < span.last; ++x, p += step)
        rows.CompositeStraight(row, x, *p | src.alphaOr);
    }
  });
}

void DrawBilinear(const TargetRows& rows, const SourceView& src, const InverseMap& m, int width,
                  int height) {
  constexpr int kChunk = 512;
  const InteriorSampler interior = ChooseInteriorSampler(src);
  ParallelRows(height, [&](int begin, int end) {
    std::uint32_t samples[kChunk];
    for (int y = begin; y < end; ++y) {
      std::uint32_t* row = rows.Row(y);
      const double s = m.s0 + y * m.dsdy, t = m.t0 + y * m.dtdy;
      const Span touched = Where(s, m.dsdx, -1, src.width, width, 1)
                               .Within(Where(t, m.dtdx, -1, src.height, width, 1));
      if (touched.Empty()) {
        rows.Uncovered(row, 0, width);
        continue;
      }
      rows.Uncovered(row, touched);
      Span inner = Where(s, m.dsdx, 0, src.width - 1, width, -1)
                       .Within(Where(t, m.dtdx, 0, src.height - 1, width, -1))
                       .Within(touched);
      if (inner.Empty()) inner = {touched.last, touched.last};
      auto edge = [&](int first, int last) {
        for (int x = first; x < last; x += kChunk) {
          const int n = std::min(kChunk, last - x);
          for (int i = 0; i < n; ++i)
            samples[i] = SampleAnywhere(src, s + (x + i) * m.dsdx, t + (x + i) * m.dtdx);
          rows.Composite(row + x, samples, n);
        }
      };
      edge(touched.first, inner.first);
      for (int x = inner.first; x < inner.last; x += kChunk) {
        const int n = std::min(kChunk, inner.last - x);
        const float s0 = float(s + x * m.dsdx), t0 = float(t + x * m.dtdx);
        if (rows.FinishesInPlace()) {
          interior(src, s0, t0, float(m.dsdx), float(m.dtdx), n, row + x);
          rows.FinishInPlace(row + x, n);
        } else {
          interior(src, s0, t0, float(m.dsdx), float(m.dtdx), n, samples);
          rows.Composite(row + x, samples, n);
        }
      }
      edge(inner.last, touched.last);
    }
  });
}

}  // namespace

void DrawAffine(QImage& target, const QImage& source, const QPointF (&points)[3],
                const Underlay& underlay) {
  const TargetRows rows(target, underlay);
  const int width = target.width(), height = target.height();
  const std::optional<InverseMap> map =
      source.isNull() ? std::nullopt : Invert(points, source.width(), source.height());
  if (!map) {
    ParallelRows(height, [&](int begin, int end) {
      for (int y = begin; y < end; ++y) rows.Uncovered(rows.Row(y), 0, width);
    });
    return;
  }
  if (const std::optional<GridMap> grid = OnGrid(*map, width, height)) {
    const PreparedSource src = Straight(source);
    DrawGrid(rows, src.view, *grid, width, height);
    return;
  }
  const PreparedSource src = Premultiplied(source);
  DrawBilinear(rows, src.view, *map, width, height);
}

}  // namespace imaging
