#include "ImageEncoder.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include "Exception.h"
#include "GifEncoder.h"
#include "TGPBitmap.h"

namespace imaging {
namespace {

// The Qt writer format for each encoder class identifier; GIF is ours.
const char* QtFormatOf(const QString& clsid) {
  struct Row {
    const char16_t* clsid;
    const char* format;
  };
  static constexpr Row kRows[] = {{kEncoderBmp, "bmp"},
                                  {kEncoderJpeg, "jpeg"},
                                  {kEncoderGif, "gif"},
                                  {kEncoderTiff, "tiff"},
                                  {kEncoderPng, "png"}};
  for (const Row& row : kRows)
    if (clsid.compare(QString::fromUtf16(row.clsid), Qt::CaseInsensitive) == 0) return row.format;
  return nullptr;
}

QString FileErrorReason(const QSaveFile& file) {
  switch (file.error()) {
    case QFileDevice::OpenError:
      return QStringLiteral("ファイルを作成できません。");
    case QFileDevice::PermissionsError:
      return QStringLiteral("アクセスが拒否されました。");
    case QFileDevice::ResourceError:
      return QStringLiteral("ディスクの空きが足りません。");
    case QFileDevice::RenameError:
      return QStringLiteral("元のファイルを置き換えられません。");
    default:
      return QStringLiteral("書き込みに失敗しました。");
  }
}

[[noreturn]] void Fail(const QString& path, const QString& reason, const QString& detail = {}) {
  QString message = QStringLiteral("ファイル「%1」に保存できませんでした。%2").arg(path, reason);
  if (!detail.isEmpty()) message += QStringLiteral("（%1）").arg(detail);
  throw Exception(message);
}

void Encode(const QImage& image, const char* format, QSaveFile& file, const QString& path) {
  if (qstrcmp(format, "gif") == 0) {
    try {
      WriteGif(image, file);
    } catch (const Exception& e) {
      Fail(path, e.Message());
    }
    return;
  }
  QImageWriter writer(&file, format);
  if (!writer.write(image)) {
    if (file.error() != QFileDevice::NoError) Fail(path, FileErrorReason(file), file.errorString());
    Fail(path, QStringLiteral("画像を書き出せませんでした。"), writer.errorString());
  }
}

}  // namespace

void SaveImage(const QImage& image, const QString& path, const QString& encoderClsid) {
  const char* format = QtFormatOf(encoderClsid);
  if (format == nullptr) Fail(path, QStringLiteral("この画像形式では保存できません。"));
  if (image.isNull()) Fail(path, QStringLiteral("画像がありません。"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) Fail(path, FileErrorReason(file), file.errorString());
  Encode(image, format, file, path);
  // Qt's commit does not notice a buffered write that failed (a full disk or a size limit) and
  // would put the short file in place: flush and look first.
  if (!file.flush() || file.error() != QFileDevice::NoError) {
    const QString reason = FileErrorReason(file), detail = file.errorString();
    file.cancelWriting();
    Fail(path, reason, detail);
  }
  if (!file.commit()) Fail(path, FileErrorReason(file), file.errorString());
}

}  // namespace imaging
