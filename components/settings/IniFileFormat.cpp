#include "IniFileFormat.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray kUtf8Mark = "\xEF\xBB\xBF";
const QByteArray kUtf16LEMark = "\xFF\xFE";
const QByteArray kUtf16BEMark = "\xFE\xFF";

QString DecodeUnicode(QByteArrayView Bytes, QStringConverter::Encoding Encoding) {
  // The mark has been taken off already; a second one is text.
  QStringDecoder Decoder(Encoding, QStringConverter::Flag::ConvertInitialBom);
  return Decoder.decode(Bytes);
}

QString DecodeUnterminated(QByteArrayView Bytes, TIniEncoding Encoding, const TAnsiCodec& Ansi) {
  switch (Encoding) {
    case TIniEncoding::ieUnicode:
      if (Bytes.startsWith(kUtf16LEMark)) Bytes = Bytes.sliced(kUtf16LEMark.size());
      return DecodeUnicode(Bytes, QStringConverter::Utf16LE);
    case TIniEncoding::ieUTF8:
      if (Bytes.startsWith(kUtf8Mark)) Bytes = Bytes.sliced(kUtf8Mark.size());
      return DecodeUnicode(Bytes, QStringConverter::Utf8);
    case TIniEncoding::ieDefault:
      break;
  }
  if (Bytes.startsWith(kUtf8Mark))
    return DecodeUnicode(Bytes.sliced(kUtf8Mark.size()), QStringConverter::Utf8);
  if (Bytes.startsWith(kUtf16LEMark))
    return DecodeUnicode(Bytes.sliced(kUtf16LEMark.size()), QStringConverter::Utf16LE);
  if (Bytes.startsWith(kUtf16BEMark))
    return DecodeUnicode(Bytes.sliced(kUtf16BEMark.size()), QStringConverter::Utf16BE);
  return Ansi.Decode(Bytes);
}

QByteArray EncodeUnicode(const QString& Text, QStringConverter::Encoding Encoding) {
  QStringEncoder Encoder(Encoding);
  return Encoder.encode(Text);
}

}  // namespace

QString DecodeIniBytes(QByteArrayView Bytes, TIniEncoding Encoding, const TAnsiCodec& Ansi) {
  QString Text = DecodeUnterminated(Bytes, Encoding, Ansi);
  const qsizetype Nul = Text.indexOf(QChar(u'\0'));
  if (Nul >= 0) Text.truncate(Nul);
  return Text;
}

QByteArray EncodeIniText(const QString& Text, TIniEncoding Encoding, const TAnsiCodec& Ansi) {
  switch (Encoding) {
    case TIniEncoding::ieUnicode:
      return kUtf16LEMark + EncodeUnicode(Text, QStringConverter::Utf16LE);
    case TIniEncoding::ieUTF8:
      return kUtf8Mark + EncodeUnicode(Text, QStringConverter::Utf8);
    case TIniEncoding::ieDefault:
      break;
  }
  return Ansi.Encode(Text);
}

QStringList SplitIniLines(const QString& Text) {
  QStringList Lines;
  qsizetype Start = 0;
  const qsizetype Size = Text.size();
  for (qsizetype At = 0; At < Size; ++At) {
    const QChar C = Text.at(At);
    if (C != u'\r' && C != u'\n') continue;
    Lines.append(Text.mid(Start, At - Start));
    if (C == u'\r' && At + 1 < Size && Text.at(At + 1) == u'\n') ++At;
    Start = At + 1;
  }
  if (Start < Size) Lines.append(Text.mid(Start));
  return Lines;
}
