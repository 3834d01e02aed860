#include "AnsiCodec.h"

#include <iconv.h>
#include <langinfo.h>

#include <algorithm>
#include <cerrno>

#include "Exception.h"

namespace {

const QByteArray kUtf8 = "UTF-8";

// One iconv conversion descriptor, closed when it goes out of scope.
class TIconv {
 public:
  TIconv(const QByteArray& To, const QByteArray& From)
      : FHandle(iconv_open(To.constData(), From.constData())) {}
  ~TIconv() {
    if (IsOpen()) iconv_close(FHandle);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  bool IsOpen() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

  // Converts all of Input. An input sequence that cannot be converted is skipped by SkipBad(at,
  // left) bytes and Replacement is emitted for it, so conversion always reaches the end.
  template <typename SkipFn>
  QByteArray Convert(QByteArrayView Input, QByteArrayView Replacement, SkipFn SkipBad) const {
    // Input goes in small chunks: after a bad sequence iconv re-scans what it was given, which
    // would make a long run of bad characters cost quadratic time.
    constexpr size_t kChunk = 64;
    QByteArray Output;
    Output.reserve(Input.size() * 2 + 16);
    char* In = const_cast<char*>(Input.data());
    size_t InLeft = static_cast<size_t>(Input.size());
    char Buffer[1024];
    while (InLeft > 0) {
      const size_t Chunk = std::min(InLeft, kChunk);
      size_t ChunkLeft = Chunk;
      char* Out = Buffer;
      size_t OutLeft = sizeof(Buffer);
      const size_t Result = iconv(FHandle, &In, &ChunkLeft, &Out, &OutLeft);
      const int Error = errno;
      InLeft -= Chunk - ChunkLeft;
      Output.append(Buffer, Out - Buffer);
      if (Result != static_cast<size_t>(-1) || Error == E2BIG) continue;
      // A sequence cut by the chunk's end goes on in the next chunk.
      if (Error == EINVAL && InLeft > ChunkLeft && ChunkLeft < Chunk) continue;
      // EILSEQ, or a sequence cut off at the very end: replace it and go on after it.
      const size_t Skip = SkipBad(In, InLeft);
      In += Skip;
      InLeft -= Skip;
      Output.append(Replacement);
      iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    }
    char* Out = Buffer;
    size_t OutLeft = sizeof(Buffer);
    iconv(FHandle, nullptr, nullptr, &Out, &OutLeft);
    Output.append(Buffer, Out - Buffer);
    return Output;
  }

 private:
  iconv_t FHandle;
};

// Length of the UTF-8 sequence that starts with Lead (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char Lead) {
  if (Lead >= 0xF0) return 4;
  if (Lead >= 0xE0) return 3;
  if (Lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

TAnsiCodec::TAnsiCodec(QByteArray CodePage) : FCodePage(std::move(CodePage)) {
  if (IsUtf8()) return;
  if (!TIconv(kUtf8, FCodePage).IsOpen() || !TIconv(FCodePage, kUtf8).IsOpen())
    throw Exception(
        QStringLiteral("Unknown character set: %1").arg(QString::fromLatin1(FCodePage)));
}

QByteArray TAnsiCodec::SystemCodePage() {
  const QByteArray Name = nl_langinfo(CODESET);
  if (Name.isEmpty() || Name == "ANSI_X3.4-1968" || Name == "ASCII") return kUtf8;
  return Name;
}

bool TAnsiCodec::IsUtf8() const {
  const QByteArray Name = FCodePage.toUpper();
  return Name == "UTF-8" || Name == "UTF8";
}

QByteArray TAnsiCodec::Encode(const QString& Text) const {
  const QByteArray Utf8 = Text.toUtf8();
  if (IsUtf8()) return Utf8;
  TIconv Converter(FCodePage, kUtf8);
  return Converter.Convert(Utf8, "?", [](const char* At, size_t Left) {
    return std::min(Left, Utf8SequenceLength(static_cast<unsigned char>(*At)));
  });
}

QString TAnsiCodec::Decode(QByteArrayView Bytes) const {
  if (IsUtf8()) return QString::fromUtf8(Bytes);
  TIconv Converter(kUtf8, FCodePage);
  return QString::fromUtf8(
      Converter.Convert(Bytes, "\xEF\xBF\xBD", [](const char*, size_t) { return size_t{1}; }));
}
