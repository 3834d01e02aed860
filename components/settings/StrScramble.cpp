#include "StrScramble.h"

#include <array>
#include <string_view>

namespace StrScramble {
namespace {

constexpr std::string_view kSymbols = "c04fs";
constexpr std::string_view kAlphabet =
    "^z;!@xIc>R$UGVjLy%OiH7.6b(/'aKSf|qW:&8BnC4Z5k2Yh)MEg~l3?#`]vXA";
constexpr std::array<std::string_view, 16> kNibbleTables = {
    "+a5mfI~.1s49F[l_", "*#$HecZ/+n2s'zm5", "E-LxdRJcF[byh8D`", "x)N*4D1KAr]I8~_!",
    "O!3P$(/'wGDrbjIo", "jTU,veZ+S.p}8&J<", "3^]#+?t%a9hGNEd~", "mqu</j:_G(Y|I!>2",
    "&M1NbXD5]:YwBgq-", "#:8+)&{`r9e.<MjS", "LuBD]j8a?{&R$y.6", "3#'ZXG_$5)fdw0mC",
    "RuAQ{)|mP2LsZhvl", "p@Dz7(qJmCX41N-d", "Zm5]RqME916rYNib", "zMOn[>m:(1l+L{J%"};
constexpr char16_t kZeroByte = u'=';
constexpr int kAlphabetSize = static_cast<int>(kAlphabet.size());

// Position of C in Table, or -1.
int PositionIn(std::string_view Table, QChar C) {
  if (C.unicode() > 127) return -1;
  const size_t At = Table.find(static_cast<char>(C.unicode()));
  return At == std::string_view::npos ? -1 : static_cast<int>(At);
}

// The key's 4-bit nibbles, high nibble of each byte first, starting over after the last.
class TKeyNibbles {
 public:
  explicit TKeyNibbles(const QByteArray& Key) : FKey(Key) {}
  bool IsEmpty() const { return FKey.isEmpty(); }
  int Next() {
    const auto Byte = static_cast<unsigned char>(FKey.at(FIndex / 2));
    const int Nibble = FIndex % 2 == 0 ? Byte >> 4 : Byte & 15;
    FIndex = (FIndex + 1) % (FKey.size() * 2);
    return Nibble;
  }

 private:
  const QByteArray& FKey;
  qsizetype FIndex = 0;
};

// Chooses the two nibble tables of each code unit from the key byte at a moving index.
class TKeyTables {
 public:
  explicit TKeyTables(const QByteArray& Key) : FKey(Key) {}
  std::string_view High() const { return kNibbleTables[Byte() >> 4]; }
  std::string_view Low() const { return kNibbleTables[Byte() & 15]; }
  void Advance(char16_t Unit) {
    if (!FKey.isEmpty()) FIndex = (FIndex + (Unit ^ 0xFFFF)) % FKey.size();
  }

 private:
  unsigned char Byte() const {
    return FKey.isEmpty() ? 0 : static_cast<unsigned char>(FKey.at(FIndex));
  }
  const QByteArray& FKey;
  qsizetype FIndex = 0;
};

void AppendByte(QString& Out, std::string_view Table, unsigned Byte) {
  if (Byte == 0) {
    Out += QChar(kZeroByte);
    return;
  }
  Out += QChar(Table[Byte >> 4]);
  Out += QChar(Table[Byte & 15]);
}

// Reads one byte's characters from Text at At; -1 when they are missing or not in Table.
int TakeByte(QStringView Text, qsizetype& At, std::string_view Table) {
  if (At >= Text.size()) return -1;
  if (Text.at(At) == kZeroByte) {
    ++At;
    return 0;
  }
  if (At + 1 >= Text.size()) return -1;
  const int High = PositionIn(Table, Text.at(At));
  const int Low = PositionIn(Table, Text.at(At + 1));
  At += 2;
  return High < 0 || Low < 0 ? -1 : High << 4 | Low;
}

}  // namespace

QString ScrambleBytes(const QByteArray& Value, const QByteArray& Key) {
  TKeyNibbles Nibbles(Key);
  QString Out;
  Out.reserve(Value.size() * 2);
  for (const char C : Value) {
    const auto Byte = static_cast<unsigned char>(C);
    int Low = Byte % kAlphabetSize;
    if (!Nibbles.IsEmpty()) Low = (Low + Nibbles.Next()) % kAlphabetSize;
    Out += QChar(kSymbols[Byte / kAlphabetSize]);
    Out += QChar(kAlphabet[Low]);
  }
  return Out;
}

std::optional<QByteArray> UnscrambleBytes(QStringView Text, const QByteArray& Key) {
  TKeyNibbles Nibbles(Key);
  QByteArray Out;
  Out.reserve(Text.size() / 2);
  for (qsizetype At = 0; At + 1 < Text.size(); At += 2) {
    const int High = PositionIn(kSymbols, Text.at(At));
    int Low = PositionIn(kAlphabet, Text.at(At + 1));
    if (High < 0 || Low < 0) return std::nullopt;
    if (!Nibbles.IsEmpty()) Low = (Low - Nibbles.Next() + kAlphabetSize) % kAlphabetSize;
    const int Byte = High * kAlphabetSize + Low;
    if (Byte > 255) return std::nullopt;
    Out += static_cast<char>(Byte);
  }
  return Out;
}

QString ScrambleText(const QString& Value, const QByteArray& Key) {
  TKeyTables Tables(Key);
  QString Out;
  Out.reserve(Value.size() * 4);
  for (const QChar C : Value) {
    const char16_t Unit = C.unicode();
    AppendByte(Out, Tables.High(), Unit >> 8);
    AppendByte(Out, Tables.Low(), Unit & 0xFF);
    Tables.Advance(Unit);
  }
  return Out;
}

std::optional<QString> UnscrambleText(QStringView Text, const QByteArray& Key) {
  TKeyTables Tables(Key);
  QString Out;
  qsizetype At = 0;
  while (At < Text.size()) {
    const int High = TakeByte(Text, At, Tables.High());
    const int Low = TakeByte(Text, At, Tables.Low());
    if (High < 0 || Low < 0) return std::nullopt;
    const auto Unit = static_cast<char16_t>(High << 8 | Low);
    Out += QChar(Unit);
    Tables.Advance(Unit);
  }
  return Out;
}

}  // namespace StrScramble
