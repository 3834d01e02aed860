#include "IniValueText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// The value of an ASCII digit in Base (10 or 16), or -1.
int DigitValue(QChar C, int Base) {
  const char16_t U = C.unicode();
  if (U >= '0' && U <= '9') return U - '0';
  if (Base != 16) return -1;
  if (U >= 'a' && U <= 'f') return U - 'a' + 10;
  if (U >= 'A' && U <= 'F') return U - 'A' + 10;
  return -1;
}

std::optional<uint64_t> ParseDigits(QStringView Digits, int Base) {
  if (Digits.isEmpty()) return std::nullopt;
  uint64_t Magnitude = 0;
  for (const QChar C : Digits) {
    const int Digit = DigitValue(C, Base);
    if (Digit < 0) return std::nullopt;
    if (Magnitude > (std::numeric_limits<uint64_t>::max() - Digit) / Base) return std::nullopt;
    Magnitude = Magnitude * Base + Digit;
  }
  return Magnitude;
}

qsizetype SkipBlanks(QStringView Text, qsizetype At) {
  while (At < Text.size() && Text.at(At) == u' ') ++At;
  return At;
}

}  // namespace

std::optional<int64_t> ParseIniInteger(QStringView Text) {
  qsizetype At = SkipBlanks(Text, 0);
  const bool Negative = At < Text.size() && Text.at(At) == u'-';
  if (At < Text.size() && (Text.at(At) == u'-' || Text.at(At) == u'+')) ++At;
  QStringView Rest = Text.sliced(At);
  int Base = 10;
  if (Rest.startsWith(u'$') || Rest.startsWith(u'x', Qt::CaseInsensitive)) {
    Base = 16;
    Rest = Rest.sliced(1);
  } else if (Rest.startsWith(u"0x", Qt::CaseInsensitive)) {
    Base = 16;
    Rest = Rest.sliced(2);
  }
  const std::optional<uint64_t> Magnitude = ParseDigits(Rest, Base);
  if (!Magnitude) return std::nullopt;
  constexpr uint64_t kSignedLimit = uint64_t{1} << 63;
  if (Base == 10 && *Magnitude > (Negative ? kSignedLimit : kSignedLimit - 1)) return std::nullopt;
  // Wrapping unsigned arithmetic gives the two's complement of hexadecimal values above 2^63.
  const uint64_t Bits = Negative ? uint64_t{0} - *Magnitude : *Magnitude;
  return static_cast<int64_t>(Bits);
}

QString FormatIniFloat(long double Value, QChar DecimalSeparator) {
  if (std::isnan(Value)) return QStringLiteral("NAN");
  if (std::isinf(Value)) return Value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
  if (Value == 0) return QStringLiteral("0");
  constexpr int kSignificant = 15;
  char Buffer[64];
  const auto End = std::to_chars(Buffer, Buffer + sizeof(Buffer), std::fabs(Value),
                                 std::chars_format::scientific, kSignificant - 1)
                       .ptr;
  // Buffer holds d.ddddddddddddddE±x: the digits, then the decimal exponent.
  const std::string Scientific(Buffer, End);
  const size_t ExponentAt = Scientific.find('e');
  std::string Digits = Scientific.substr(0, 1) + Scientific.substr(2, ExponentAt - 2);
  const int Exponent = std::stoi(Scientific.substr(ExponentAt + 1));
  Digits.erase(Digits.find_last_not_of('0') + 1);

  const QString Separator(DecimalSeparator);
  QString Result = Value < 0 ? QStringLiteral("-") : QString();
  const QString Significant = QString::fromLatin1(Digits);
  if (Exponent < -4 || Exponent >= kSignificant) {
    Result += Significant.left(1);
    if (Significant.size() > 1) Result += Separator + Significant.mid(1);
    Result += QStringLiteral("E%1").arg(Exponent);
  } else if (Exponent < 0) {
    Result += QStringLiteral("0") + Separator + QString(-Exponent - 1, u'0') + Significant;
  } else {
    const QString Whole = Significant.left(Exponent + 1);
    Result += Whole + QString(Exponent + 1 - Whole.size(), u'0');
    if (Significant.size() > Exponent + 1) Result += Separator + Significant.mid(Exponent + 1);
  }
  return Result;
}

std::optional<long double> ParseIniFloat(QStringView Text, QChar DecimalSeparator) {
  // Rewritten into the locale-free form that std::from_chars reads.
  std::string Plain;
  qsizetype At = SkipBlanks(Text, 0);
  qsizetype Last = Text.size();
  while (Last > At && Text.at(Last - 1) == u' ') --Last;
  if (At < Last && (Text.at(At) == u'+' || Text.at(At) == u'-')) {
    if (Text.at(At) == u'-') Plain += '-';
    ++At;
  }
  bool SeenDigit = false, SeenSeparator = false, SeenExponent = false;
  for (; At < Last; ++At) {
    const QChar C = Text.at(At);
    if (C.unicode() >= '0' && C.unicode() <= '9') {
      SeenDigit = true;
      Plain += static_cast<char>(C.unicode());
    } else if (C == DecimalSeparator && !SeenSeparator && !SeenExponent) {
      SeenSeparator = true;
      Plain += '.';
    } else if ((C == u'e' || C == u'E') && SeenDigit && !SeenExponent) {
      SeenExponent = true;
      Plain += 'e';
      if (At + 1 < Last && (Text.at(At + 1) == u'+' || Text.at(At + 1) == u'-'))
        Plain += static_cast<char>(Text.at(++At).unicode());
    } else {
      return std::nullopt;
    }
  }
  if (!SeenDigit) return std::nullopt;
  long double Value = 0;
  const auto [Ptr, Error] = std::from_chars(Plain.data(), Plain.data() + Plain.size(), Value);
  if (Error != std::errc() || Ptr != Plain.data() + Plain.size()) return std::nullopt;
  return Value;
}

QString FormatIniCurrency(Currency Value, QChar DecimalSeparator) {
  const bool Negative = Value.TenThousandths < 0;
  // Unsigned, so that the most negative amount has a magnitude too.
  const uint64_t Magnitude = Negative ? uint64_t{0} - static_cast<uint64_t>(Value.TenThousandths)
                                      : static_cast<uint64_t>(Value.TenThousandths);
  QString Result = Negative ? QStringLiteral("-") : QString();
  Result += QString::number(Magnitude / 10000);
  QString Fraction = QStringLiteral("%1").arg(Magnitude % 10000, 4, 10, QChar(u'0'));
  while (Fraction.endsWith(u'0')) Fraction.chop(1);
  if (!Fraction.isEmpty()) Result += DecimalSeparator + Fraction;
  return Result;
}

std::optional<Currency> ParseIniCurrency(QStringView Text, QChar DecimalSeparator) {
  const std::optional<long double> Value = ParseIniFloat(Text, DecimalSeparator);
  if (!Value) return std::nullopt;
  const long double Scaled = std::nearbyint(*Value * 10000.0L);
  constexpr long double kLimit = 9223372036854775808.0L;
  if (!(Scaled >= -kLimit && Scaled < kLimit)) return std::nullopt;
  return Currency{static_cast<int64_t>(Scaled)};
}
