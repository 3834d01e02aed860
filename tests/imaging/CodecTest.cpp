#include <gtest/gtest.h>
#include <unistd.h>

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>

#include "Exception.h"
#include "PixelMemory.h"
#include "TGPBitmap.h"
#include "TestImages.h"

namespace imaging {
namespace {

struct Format {
  const char* name;
  const char16_t* clsid;
};
const Format kFormats[] = {{"bmp", kEncoderBmp},
                           {"jpeg", kEncoderJpeg},
                           {"gif", kEncoderGif},
                           {"tiff", kEncoderTiff},
                           {"png", kEncoderPng}};

class Codec : public testing::Test {
 protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  QString Saved(const QImage& image, const Format& format, const QString& name = "image") {
    const QString path = Path(name + "." + format.name);
    TGPBitmap(image).Save(path, QString::fromUtf16(format.clsid));
    return path;
  }
  QByteArray Bytes(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void Write(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QTemporaryDir dir;
};

int WorstDistance(const QImage& a, const QImage& b) {
  int worst = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      worst = std::max(worst, test::ChannelDistance(a.pixel(x, y), b.pixel(x, y)));
  return worst;
}

TEST_F(Codec, EachEncoderRoundTrips) {
  // Fewer colours than a GIF palette holds, so GIF is exact but for its quantiser's rounding, and
  // a smooth picture for JPEG; one fully transparent pixel for the formats that keep transparency.
  const QImage marked = test::Marked(15, 13), smooth = test::PhotoLike(40, 30);
  const struct {
    const Format& format;
    const QImage& image;
    bool keepsAlpha;
    int tolerance;
  } cases[] = {{kFormats[0], marked, false, 0},
               {kFormats[1], smooth, false, 24},
               {kFormats[2], marked, true, 2},
               {kFormats[3], marked, true, 0},
               {kFormats[4], marked, true, 0}};
  for (const auto& c : cases) {
    QImage expected = c.image;
    if (c.keepsAlpha) expected.setPixel(3, 2, 0);
    auto read = TGPBitmap::FromFile(Saved(expected, c.format));
    ASSERT_TRUE(read) << c.format.name;
    ASSERT_EQ(read->Image().size(), c.image.size()) << c.format.name;
    const QImage back = read->Image().convertToFormat(QImage::Format_ARGB32);
    if (c.keepsAlpha) {
      EXPECT_EQ(qAlpha(back.pixel(3, 2)), 0) << c.format.name;
    }
    expected.setPixel(3, 2, back.pixel(3, 2));
    EXPECT_LE(WorstDistance(back, expected), c.tolerance) << c.format.name;
  }
}

TEST_F(Codec, PngAndTiffKeepHalfTransparentPixels) {
  const QImage image = test::Marked(9, 4, 128);
  for (const Format& format : {kFormats[3], kFormats[4]}) {
    auto read = TGPBitmap::FromFile(Saved(image, format));
    ASSERT_TRUE(read) << format.name;
    EXPECT_EQ(read->PixelFormat(), QImage::Format_ARGB32) << format.name;
    EXPECT_LE(WorstDistance(read->Image(), image), 1) << format.name;
  }
}

TEST_F(Codec, DecodedImagesKeepTheirFormat) {
  const QImage marked = test::Marked(8, 5);
  const struct {
    const char* name;
    QImage image;
    const Format& format;
    QImage::Format decoded;
  } cases[] = {
      {"grey PNG", marked.convertToFormat(QImage::Format_Grayscale8), kFormats[4],
       QImage::Format_Grayscale8},
      {"palette PNG", marked.convertToFormat(QImage::Format_Indexed8), kFormats[4],
       QImage::Format_Indexed8},
      {"colour JPEG", marked, kFormats[1], QImage::Format_RGB32},
      {"grey JPEG", marked.convertToFormat(QImage::Format_Grayscale8), kFormats[1],
       QImage::Format_Grayscale8},
  };
  for (const auto& c : cases) {
    auto read = TGPBitmap::FromFile(Saved(c.image, c.format));
    ASSERT_TRUE(read) << c.name;
    EXPECT_EQ(read->PixelFormat(), c.decoded) << c.name;
  }
}

TEST_F(Codec, ReadsNoColourProfileAndNoExifTurn) {
  QImage image = test::Marked(7, 3);
  image.setColorSpace(QColorSpace::AdobeRgb);
  const QString png = Path("profile.png");
  ASSERT_TRUE(image.save(png));
  auto read = TGPBitmap::FromFile(png);
  ASSERT_TRUE(read);
  EXPECT_FALSE(read->Image().colorSpace().isValid());
  EXPECT_EQ(read->Image().convertToFormat(QImage::Format_ARGB32), test::Marked(7, 3));

  // A JPEG whose EXIF orientation asks for a quarter turn.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(QImageWriter(&buffer, "jpeg").write(test::Marked(7, 3)));
  const char exif[] = "Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0";
  const QByteArray payload(exif, sizeof exif - 1);
  QByteArray segment("\xff\xe1", 2);
  segment += char((payload.size() + 2) >> 8);
  segment += char((payload.size() + 2) & 0xFF);
  bytes.insert(2, segment + payload);
  const QString jpeg = Path("turned.jpg");
  Write(jpeg, bytes);
  ASSERT_EQ(QImageReader(jpeg).transformation(), QImageIOHandler::TransformationRotate90);
  read = TGPBitmap::FromFile(jpeg);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Image().size(), QSize(7, 3));
}

TEST_F(Codec, ResolutionTravelsFromTiffToEveryFormatThatRecordsIt) {
  QImage scan = test::Marked(16, 8);
  scan.setDotsPerMeterX(11811);  // 300 dpi
  scan.setDotsPerMeterY(11811);
  auto tiff = TGPBitmap::FromFile(Saved(scan, kFormats[3], "scan"));
  ASSERT_TRUE(tiff);
  for (const Format& format : {kFormats[0], kFormats[1], kFormats[3], kFormats[4]}) {
    const QString path = Path(QString("copy.") + format.name);
    tiff->Save(path, QString::fromUtf16(format.clsid));
    auto read = TGPBitmap::FromFile(path);
    ASSERT_TRUE(read) << format.name;
    EXPECT_NEAR(read->Image().dotsPerMeterX() * 0.0254, 300, 0.05) << format.name;
    EXPECT_NEAR(read->Image().dotsPerMeterY() * 0.0254, 300, 0.05) << format.name;
  }
}

TEST_F(Codec, OpensA1200DpiA4Scan) {
  const QString path = Path("a4.jpg");
  {
    QImage scan(10200, 14040, QImage::Format_RGB32);
    scan.fill(qRgb(240, 236, 220));
    for (int y = 1000; y < 1100; ++y)
      std::fill_n(reinterpret_cast<QRgb*>(scan.scanLine(y)) + 500, 9000, qRgb(10, 10, 10));
    QImageWriter writer(path, "jpeg");
    writer.setQuality(50);
    ASSERT_TRUE(writer.write(scan));
  }
  const std::size_t before = PixelMemory::InUse();
  auto read = TGPBitmap::FromFile(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Image().size(), QSize(10200, 14040));
  // Decoded straight into the program's own (huge-page) pixel memory.
  EXPECT_EQ(PixelMemory::InUse() - before, std::size_t(10200) * 14040 * 4);
  EXPECT_LT(test::ChannelDistance(read->Image().pixel(5000, 1050), qRgb(10, 10, 10)), 8);
  EXPECT_LT(test::ChannelDistance(read->Image().pixel(5000, 7000), qRgb(240, 236, 220)), 8);
}

// A BMP header for width x height at 32 bits, followed by only a few pixels.
QByteArray BmpClaiming(int width, int height) {
  QImage small = test::Marked(4, 4);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "bmp").write(small);
  auto put = [&](int offset, qint32 value) { memcpy(bytes.data() + offset, &value, 4); };
  put(18, width);
  put(22, height);
  return bytes;
}

QByteArray PngClaiming(int width, int height) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "png").write(test::Marked(4, 4));
  auto put = [&](int offset, quint32 value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = char(value >> (24 - 8 * i));
  };
  put(16, quint32(width));
  put(20, quint32(height));
  // The chunk's CRC over type and data, so the reader believes the header.
  quint32 crc = 0xFFFFFFFFu;
  for (int i = 12; i < 29; ++i) {
    crc ^= uchar(bytes[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  put(29, ~crc);
  return bytes;
}

TEST_F(Codec, AnAbsurdSizeInTheHeaderFailsWithoutTakingMemory) {
  const std::size_t before = PixelMemory::InUse();
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {{"absurd.bmp", BmpClaiming(100000, 100000)},
               {"absurd.png", PngClaiming(100000, 100000)}};
  for (const auto& c : cases) {
    Write(Path(c.name), c.bytes);
    EXPECT_FALSE(TGPBitmap::FromFile(Path(c.name))) << c.name;
    EXPECT_EQ(PixelMemory::InUse(), before) << c.name;
  }
  // Beyond a budget: a modest size the cap does not allow.
  Write(Path("large.png"), PngClaiming(5000, 5000));
  SetPixelMemoryLimit(50 << 20);
  EXPECT_FALSE(TGPBitmap::FromFile(Path("large.png")));
  SetPixelMemoryLimit(0);
  EXPECT_EQ(PixelMemory::InUse(), before);
}

TEST_F(Codec, DamagedAndTruncatedFilesOfEachFormatFail) {
  const QImage image = test::PhotoLike(64, 48);
  for (const Format& format : kFormats) {
    const QByteArray good = Bytes(Saved(image, format, "good"));
    ASSERT_GT(good.size(), 100) << format.name;
    ASSERT_TRUE(TGPBitmap::FromFile(Path(QString("good.") + format.name))) << format.name;
    QByteArray scrambled = good;
    for (qsizetype i = 8; i < scrambled.size(); i += 3) scrambled[i] = char(scrambled[i] ^ 0x5A);
    const struct {
      const char* damage;
      QByteArray bytes;
    } cases[] = {{"truncated", good.left(good.size() / 2)},
                 {"cut after the header", good.left(40)},
                 {"scrambled", scrambled},
                 {"empty", QByteArray()}};
    for (const auto& c : cases) {
      const QString path = Path(QString("bad.") + format.name);
      Write(path, c.bytes);
      EXPECT_FALSE(TGPBitmap::FromFile(path)) << format.name << ", " << c.damage;
    }
  }
  EXPECT_FALSE(TGPBitmap::FromFile(Path("missing.png")));
}

TEST_F(Codec, AFailedWriteThrowsNamingTheFileAndLeavesTheOldFile) {
  const QString path = Path("keep.gif");
  Saved(test::Marked(5, 5), kFormats[2], "keep");
  const QByteArray before = Bytes(path);
  try {
    // GIF cannot hold an image this wide: the encoder fails after the file was opened.
    TGPBitmap(QImage(70000, 1, QImage::Format_ARGB32)).Save(path, QString::fromUtf16(kEncoderGif));
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_TRUE(
        e.Message().startsWith(QStringLiteral("ファイル「%1」に保存できませんでした。").arg(path)))
        << e.what();
  }
  EXPECT_EQ(Bytes(path), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(Codec, WritingWhereNoFileCanBeThrows) {
  Write(Path("plain"), "not a folder");
  const QString path = Path("plain/out.png");
  EXPECT_THROW(TGPBitmap(test::Marked(3, 3)).Save(path, QString::fromUtf16(kEncoderPng)),
               Exception);
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
  const QString folder = Path("locked");
  QDir().mkdir(folder);
  const QString inside = folder + "/old.png";
  TGPBitmap(test::Marked(3, 3)).Save(inside, QString::fromUtf16(kEncoderPng));
  const QByteArray before = Bytes(inside);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_THROW(TGPBitmap(test::Marked(4, 4)).Save(inside, QString::fromUtf16(kEncoderPng)),
               Exception);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(Bytes(inside), before);
}

TEST_F(Codec, AnUnknownEncoderThrows) {
  const QString path = Path("x.img");
  EXPECT_THROW(TGPBitmap(test::Marked(3, 3)).Save(path, "{00000000-0000-0000-0000-000000000000}"),
               Exception);
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Codec, EncoderIdentifiersIgnoreCase) {
  const QString path = Path("lower.png");
  TGPBitmap(test::Marked(3, 3)).Save(path, QString::fromUtf16(kEncoderPng).toLower());
  EXPECT_EQ(QImageReader(path).format(), "png");
}

}  // namespace
}  // namespace imaging
