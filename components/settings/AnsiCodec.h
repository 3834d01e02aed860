#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Converts between text and the bytes of one 8-bit or multi-byte character set (the "ANSI code
// page" of a settings file), such as UTF-8 or CP932. Neither direction fails on content: bytes that
// do not decode become U+FFFD, characters the set cannot hold become "?".
class TAnsiCodec {
 public:
  // Throws Exception when the system knows no character set of that name.
  explicit TAnsiCodec(QByteArray CodePage);

  // The character set of the user's locale; the plain C locale counts as UTF-8, as it does for Qt.
  static QByteArray SystemCodePage();

  const QByteArray& CodePage() const { return FCodePage; }
  QByteArray Encode(const QString& Text) const;
  QString Decode(QByteArrayView Bytes) const;

 private:
  bool IsUtf8() const;

  QByteArray FCodePage;
};
