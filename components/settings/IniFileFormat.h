#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include "AnsiCodec.h"

// Text encoding of a settings file.
enum class TIniEncoding { ieDefault, ieUnicode, ieUTF8 };

// The bytes of a settings file as text. ieDefault follows a leading byte-order mark (UTF-8,
// UTF-16LE or UTF-16BE) and reads unmarked files in the code page; the other two skip their own
// mark. A NUL character ends the text.
QString DecodeIniBytes(QByteArrayView Bytes, TIniEncoding Encoding, const TAnsiCodec& Ansi);

// The file's bytes for Text: the encoding's byte-order mark (none for ieDefault), then the text.
QByteArray EncodeIniText(const QString& Text, TIniEncoding Encoding, const TAnsiCodec& Ansi);

// Splits at CR LF, a lone CR or a lone LF. A break at the very end opens no further line.
QStringList SplitIniLines(const QString& Text);
