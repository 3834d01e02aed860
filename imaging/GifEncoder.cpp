#include "GifEncoder.h"

#include <gif_lib.h>
#include <libimagequant.h>

#include <memory>
#include <vector>

#include "Exception.h"

namespace imaging {
namespace {

constexpr int kMaxGifSide = 65535;

// RGBA bytes with alpha forced to 0 or 255: GIF knows only fully transparent pixels, and making
// every transparent pixel the same colour leaves the palette one entry for all of them.
QImage ThresholdedRgba(const QImage& image) {
  QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  if (rgba.isNull()) throw Exception(QStringLiteral("メモリが足りません。"));
  for (int y = 0; y < rgba.height(); ++y) {
    uchar* p = rgba.scanLine(y);
    for (int x = 0; x < rgba.width(); ++x, p += 4) {
      if (p[3] < 128)
        p[0] = p[1] = p[2] = p[3] = 0;
      else
        p[3] = 255;
    }
  }
  return rgba;
}

struct Quantised {
  std::vector<GifColorType> colours;  // a power of two entries, at least 2
  int transparentIndex = -1;
  std::vector<GifByteType> indices;  // one per pixel, row after row
};

struct LiqRelease {
  void operator()(liq_attr* p) const { liq_attr_destroy(p); }
  void operator()(liq_image* p) const { liq_image_destroy(p); }
  void operator()(liq_result* p) const { liq_result_destroy(p); }
};
using Attr = std::unique_ptr<liq_attr, LiqRelease>;
using Image = std::unique_ptr<liq_image, LiqRelease>;
using Result = std::unique_ptr<liq_result, LiqRelease>;

Quantised Quantise(const QImage& rgba) {
  Attr attr(liq_attr_create());
  if (!attr) throw Exception(QStringLiteral("減色できませんでした。"));
  liq_set_max_colors(attr.get(), 256);
  std::vector<void*> rows(std::size_t(rgba.height()));
  for (int y = 0; y < rgba.height(); ++y)
    rows[std::size_t(y)] = const_cast<uchar*>(rgba.constScanLine(y));
  Image image(liq_image_create_rgba_rows(attr.get(), rows.data(), rgba.width(), rgba.height(), 0));
  liq_result* raw = nullptr;
  if (!image || liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK)
    throw Exception(QStringLiteral("減色できませんでした。"));
  Result result(raw);
  Quantised out;
  out.indices.resize(std::size_t(rgba.width()) * std::size_t(rgba.height()));
  if (liq_write_remapped_image(result.get(), image.get(), out.indices.data(), out.indices.size()) !=
      LIQ_OK)
    throw Exception(QStringLiteral("減色できませんでした。"));
  const liq_palette* palette = liq_get_palette(result.get());
  std::size_t size = 2;
  while (size < palette->count) size *= 2;
  out.colours.assign(size, GifColorType{0, 0, 0});
  for (unsigned i = 0; i < palette->count; ++i) {
    const liq_color& c = palette->entries[i];
    out.colours[i] = GifColorType{c.r, c.g, c.b};
    if (c.a == 0 && out.transparentIndex < 0) out.transparentIndex = int(i);
  }
  return out;
}

int WriteToDevice(GifFileType* gif, const GifByteType* data, int length) {
  auto* device = static_cast<QIODevice*>(gif->UserData);
  return int(device->write(reinterpret_cast<const char*>(data), length));
}

void Check(int gifResult) {
  if (gifResult != GIF_OK) throw Exception(QStringLiteral("書き込みに失敗しました。"));
}

}  // namespace

void WriteGif(const QImage& image, QIODevice& device) {
  if (image.width() > kMaxGifSide || image.height() > kMaxGifSide)
    throw Exception(QStringLiteral("GIF は幅と高さが %1 ピクセルまでです。").arg(kMaxGifSide));
  const Quantised q = Quantise(ThresholdedRgba(image));

  int error = 0;
  GifFileType* gif = EGifOpen(&device, WriteToDevice, &error);
  if (gif == nullptr) throw Exception(QStringLiteral("書き込みに失敗しました。"));
  auto close = [](GifFileType* g) { EGifCloseFile(g, nullptr); };
  std::unique_ptr<GifFileType, decltype(close)> file(gif, close);
  std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(
      GifMakeMapObject(int(q.colours.size()), q.colours.data()), GifFreeMapObject);
  if (!map) throw Exception(QStringLiteral("メモリが足りません。"));

  EGifSetGifVersion(gif, true);
  Check(EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map.get()));
  if (q.transparentIndex >= 0) {
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, q.transparentIndex};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&gcb, extension);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension));
  }
  Check(EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr));
  for (int y = 0; y < image.height(); ++y)
    Check(EGifPutLine(gif, const_cast<GifByteType*>(&q.indices[std::size_t(y) * image.width()]),
                      image.width()));
  int closeError = 0;
  const int closed = EGifCloseFile(file.release(), &closeError);
  Check(closed);
}

}  // namespace imaging
