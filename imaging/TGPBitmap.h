#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <memory>

// The program's image library: an image type that owns its pixels, a drawing surface on it, and
// the codecs. Images the program creates are QImage::Format_ARGB32 (straight alpha); decoded and
// adopted images keep the format they arrived in. Images are copied, never shared.
namespace imaging {

// Encoders are named by their published class identifiers.
inline constexpr char16_t kEncoderBmp[] = u"{557CF400-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr char16_t kEncoderJpeg[] = u"{557CF401-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr char16_t kEncoderGif[] = u"{557CF402-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr char16_t kEncoderTiff[] = u"{557CF405-1A04-11D3-9A73-0000F81EF32E}";
inline constexpr char16_t kEncoderPng[] = u"{557CF406-1A04-11D3-9A73-0000F81EF32E}";

// Caps the bytes of pixel memory that may be in use at once (0: no cap beyond the machine's).
// Lets tests reach the out-of-memory paths without exhausting the machine.
void SetPixelMemoryLimit(std::size_t bytes);

// A smoothly reduced copy of the image for showing it below 100 %: each output pixel is the average
// of the source area it covers (premultiplied, so transparent pixels lend no colour), which shows
// no moiré. Premultiplied ARGB, for painting. Throws Exception when it cannot be allocated.
QImage ReducedForView(const QImage& source, QSize size);

class TGPBitmap {
 public:
  // The first frame of an image file, without colour management or EXIF rotation; nullptr when
  // the file is missing, unreadable, damaged, of an unknown type or of an impossible size.
  static std::unique_ptr<TGPBitmap> FromFile(const QString& path);
  // A copy of a platform bitmap's pixels, in its own format. Throws Exception without memory.
  static std::unique_ptr<TGPBitmap> FromHBITMAP(const QImage& bitmap);
  // A transparent width x height ARGB image. Throws Exception when it cannot be allocated.
  static std::unique_ptr<TGPBitmap> FromScan0(int width, int height);

  int Width() const { return FImage.width(); }
  int Height() const { return FImage.height(); }
  QImage::Format PixelFormat() const { return FImage.format(); }
  // The pixels, for display and for handing to the clipboard. Dots per inch travel in the
  // QImage's dots-per-metre fields.
  const QImage& Image() const { return FImage; }

  // Dots per inch, as recorded by the file the image came from; kept through every edit.
  double HorizontalResolution() const { return FImage.dotsPerMeterX() * 0.0254; }
  double VerticalResolution() const { return FImage.dotsPerMeterY() * 0.0254; }
  void SetResolution(double dpiX, double dpiY) {
    FImage.setDotsPerMeterX(qRound(dpiX / 0.0254));
    FImage.setDotsPerMeterY(qRound(dpiY / 0.0254));
  }

  // A 32-bit ARGB copy of the area; nullptr when the area is empty or not inside the image.
  // Throws Exception when the copy cannot be allocated.
  std::unique_ptr<TGPBitmap> CloneArea(const QRect& area) const;

  // Writes the image with the encoder of that class identifier (kEncoder…), keeping its
  // resolution. Throws Exception with a message naming the file when the write fails.
  void Save(const QString& path, const QString& encoderClsid) const;

  // An opaque 32-bit image (RGB32 keeps every alpha byte at 0xFF) becomes 32-bit ARGB in place,
  // without a copy. False, and nothing changes, for every other format.
  bool AdoptAsArgb() {
    if (FImage.format() != QImage::Format_RGB32) return false;
    return FImage.reinterpretAsFormat(QImage::Format_ARGB32);
  }

  explicit TGPBitmap(QImage image) : FImage(std::move(image)) {}

 private:
  friend class TGPGraphics;
  QImage FImage;
  // Still as FromScan0 made it: all transparent, never drawn on.
  bool FBlank = false;
};

// A drawing surface on an image. Everything drawn blends over what is there (source-over).
class TGPGraphics {
 public:
  // The drawing is complete in the target's pixels once the surface is released.
  explicit TGPGraphics(TGPBitmap& target);
  ~TGPGraphics();
  TGPGraphics(const TGPGraphics&) = delete;
  TGPGraphics& operator=(const TGPGraphics&) = delete;

  // A solid colour, packed 0xAARRGGBB, over the rectangle.
  void FillRectangle(std::uint32_t argb, const QRectF& rect);
  // The whole source mapped onto the parallelogram whose upper-left, upper-right and lower-left
  // corners land on points[0], points[1] and points[2]: bilinear on premultiplied values, the
  // source's outside transparent. Mappings that land on the pixel grid copy pixels exactly.
  void DrawImagePoints(const TGPBitmap& source, const QPointF (&points)[3]);

 private:
  struct Pending;
  TGPBitmap& FTarget;
  std::unique_ptr<Pending> FPending;
};

}  // namespace imaging
