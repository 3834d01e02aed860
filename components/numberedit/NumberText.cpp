#include "NumberText.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "Exception.h"

namespace {

EConvertError InvalidInteger(const QString& text) {
  return EConvertError(QStringLiteral("'%1' は有効な整数値ではありません").arg(text));
}

EConvertError InvalidFloat(const QString& text) {
  return EConvertError(QStringLiteral("'%1' は有効な浮動小数点数値ではありません").arg(text));
}

// A value written as sign, significant digits d1 d2 ... and the decimal exponent of d1.
struct TDecimalDigits {
  bool Negative = false;
  QString Digits = QStringLiteral("0");
  int Exponent = 0;
};

TDecimalDigits Digits15(long double value) {
  if (!std::isfinite(value)) throw EConvertError(QStringLiteral("数値が範囲外です"));
  TDecimalDigits d;
  if (value == 0) return d;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14Le", value);  // "-d.dddddddddddddde+XX"
  const QString text = QString::fromLatin1(buffer);
  const int e = text.indexOf(u'e');
  d.Negative = text.startsWith(u'-');
  d.Digits = text.left(e).remove(u'-').remove(u'.');
  d.Exponent = text.mid(e + 1).toInt();
  while (d.Digits.size() > 1 && d.Digits.endsWith(u'0')) d.Digits.chop(1);
  return d;
}

// [+-]digits within the 64-bit range.
std::optional<int64_t> ReadInt64(const QString& text) {
  const int signLength = !text.isEmpty() && TNumberText::IsSign(text[0]) ? 1 : 0;
  if (text.size() == signLength ||
      !std::all_of(text.begin() + signLength, text.end(), TNumberText::IsDigit))
    return std::nullopt;
  const QByteArray ascii = text.mid(text.startsWith(u'+') ? 1 : 0).toLatin1();
  int64_t value = 0;
  const auto result = std::from_chars(ascii.begin(), ascii.end(), value);
  if (result.ec != std::errc()) return std::nullopt;
  return value;
}

// [+-]digits[DS digits][E[+-]digits]: a lone or trailing DS reads as if the missing digits were
// absent; the exponent form is what GeneralText writes.
std::optional<long double> ReadFloat(const QString& text, QChar ds) {
  int i = 0;
  const int n = text.size();
  const bool negative = i < n && text[i] == u'-';
  if (i < n && TNumberText::IsSign(text[i])) ++i;
  std::string number = "0";
  bool mantissa = false;
  for (; i < n && TNumberText::IsDigit(text[i]); ++i, mantissa = true)
    number += char(text[i].unicode());
  if (i < n && text[i] == ds) {
    number += '.';
    mantissa = true;
    for (++i; i < n && TNumberText::IsDigit(text[i]); ++i) number += char(text[i].unicode());
  }
  if (!mantissa) return std::nullopt;
  if (i < n && (text[i] == u'E' || text[i] == u'e')) {
    number += 'e';
    if (++i < n && TNumberText::IsSign(text[i])) number += char(text[i++].unicode());
    const int first = i;
    for (; i < n && TNumberText::IsDigit(text[i]); ++i) number += char(text[i].unicode());
    if (i == first) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  long double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec != std::errc()) return std::nullopt;
  return negative ? -value : value;
}

// Hexadecimal digits with at most `maxDigits` significant ones.
uint64_t ReadHex(const QString& text, int maxDigits) {
  if (text.isEmpty()) throw InvalidInteger(text);
  uint64_t value = 0;
  int significant = 0;
  for (QChar c : text) {
    if (!TNumberText::IsHexDigit(c)) throw InvalidInteger(text);
    if (value != 0 || c != u'0') ++significant;
    if (significant > maxDigits) throw InvalidInteger(text);
    value = value * 16 + uint64_t(TNumberText::IsDigit(c) ? c.unicode() - u'0'
                                                          : (c.unicode() | 0x20) - u'a' + 10);
  }
  return value;
}

// Adds one to the magnitude of an integer text, keeping its sign ("-2" → "-3", "" → "1").
QString IncrementMagnitude(const QString& integerPart) {
  const int signLength = !integerPart.isEmpty() && TNumberText::IsSign(integerPart[0]) ? 1 : 0;
  QString digits = integerPart.mid(signLength);
  int i = digits.size() - 1;
  for (; i >= 0; --i) {
    if (!TNumberText::IsDigit(digits[i])) throw InvalidFloat(integerPart);
    if (digits[i] != u'9') break;
    digits[i] = u'0';
  }
  if (i < 0)
    digits.prepend(u'1');
  else
    digits[i] = QChar(digits[i].unicode() + 1);
  return integerPart.left(signLength) + digits;
}

}  // namespace

const TNumberLocale& TNumberLocale::System() {
  static const TNumberLocale locale = [] {
    const QLocale system = QLocale::system();
    TNumberLocale l;
    if (!system.decimalPoint().isEmpty()) l.DecimalSeparator = system.decimalPoint()[0];
    if (!system.groupSeparator().isEmpty()) l.ThousandSeparator = system.groupSeparator()[0];
    return l;
  }();
  return locale;
}

bool TNumberText::IsHexDigit(QChar c) {
  return TNumberText::IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

QString TNumberText::WithoutSeparators(const QString& text) const {
  QString s = text;
  s.removeIf([this](QChar c) { return c == TS() || c.unicode() < 32; });
  return s;
}

long double TNumberText::TextToValue(const QString& text, TNumberType type, bool validMinus) const {
  if (text.isEmpty() || text == u"-" || text == u"+") return 0;
  if (type == TNumberType::ntDecimal) return DecimalTextToValue(text);
  if (!validMinus) return int32_t(uint32_t(ReadHex(text, 8)));
  if (text.startsWith(u'-')) return int64_t(0 - ReadHex(text.mid(1), 16));
  return int64_t(ReadHex(text, 16));
}

long double TNumberText::DecimalTextToValue(const QString& text) const {
  const QString s = WithoutSeparators(text);
  if (s.isEmpty() || s == u"-" || s == u"+") return 0;
  if (!s.contains(DS())) {
    if (const auto whole = ReadInt64(s)) return *whole;
    // Integers beyond the 64-bit range still read, as floating values.
    if (const auto value = ReadFloat(s, DS())) return *value;
    throw InvalidInteger(text);
  }
  if (const auto value = ReadFloat(s, DS())) return *value;
  throw InvalidFloat(text);
}

QString TNumberText::ExpandFloatText(long double value) const {
  const TDecimalDigits d = Digits15(value);
  const int n = d.Digits.size();
  QString s;
  if (d.Exponent >= n - 1)
    s = d.Digits + QString(d.Exponent - (n - 1), u'0');
  else if (d.Exponent >= 0)
    s = d.Digits.left(d.Exponent + 1) + DS() + d.Digits.mid(d.Exponent + 1);
  else
    s = QStringLiteral("0") + DS() + QString(-d.Exponent - 1, u'0') + d.Digits;
  return d.Negative ? u'-' + s : s;
}

QString TNumberText::GeneralText(long double value) const {
  const TDecimalDigits d = Digits15(value);
  if (d.Exponent < 15 && d.Exponent >= -4) return ExpandFloatText(value);
  QString s = d.Digits.left(1);
  if (d.Digits.size() > 1) s += DS() + d.Digits.mid(1);
  s += u'E' + QString::number(d.Exponent);
  return d.Negative ? u'-' + s : s;
}

QString TNumberText::RoundText(const QString& text, int32_t figure, TRoundMode mode) const {
  const QString s = WithoutSeparators(text);
  const int p = s.indexOf(DS());
  if (p < 0 || p == s.size() - 1 || figure < 0) return s;
  const QString fraction = s.mid(p + 1);
  if (fraction.size() <= figure) return s;
  if (!std::all_of(fraction.begin(), fraction.end(), TNumberText::IsDigit))
    throw InvalidFloat(text);
  QString kept = fraction.left(figure);
  const QString dropped = fraction.mid(figure);
  bool carry = false;
  if (mode == TRoundMode::rmRound) carry = dropped[0] >= u'5';
  if (mode == TRoundMode::rmUp)
    carry = std::any_of(dropped.begin(), dropped.end(), [](QChar c) { return c != u'0'; });
  for (int i = figure - 1; carry && i >= 0; --i) {
    carry = kept[i] == u'9';
    kept[i] = carry ? u'0' : QChar(kept[i].unicode() + 1);
  }
  const QString integerPart = carry ? IncrementMagnitude(s.left(p)) : s.left(p);
  return integerPart + DS() + kept;
}

QString TNumberText::GroupThousands(const QString& text) const {
  const int p = text.indexOf(DS());
  const QString integerPart = p < 0 ? text : text.left(p);
  const int signLength = !integerPart.isEmpty() && IsSign(integerPart[0]) ? 1 : 0;
  QString digits = integerPart.mid(signLength);
  // An integer part that is not a number counts as 0.
  if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), TNumberText::IsDigit))
    digits = QStringLiteral("0");
  while (digits.size() > 1 && digits.startsWith(u'0')) digits.remove(0, 1);
  for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, TS());
  // A leading "-" stays, also on "-0"; a "+" does not.
  if (text.startsWith(u'-')) digits.prepend(u'-');
  return p < 0 ? digits : digits + text.mid(p);
}

int64_t TNumberText::WholeNumber(long double value, TRoundMode mode) const {
  QString whole = RoundText(ExpandFloatText(value), 0, mode);
  if (whole.endsWith(DS())) whole.chop(1);
  if (const auto v = ReadInt64(whole)) return *v;
  return whole.startsWith(u'-') ? std::numeric_limits<int64_t>::min()
                                : std::numeric_limits<int64_t>::max();
}

QString TNumberText::HexDigits(uint64_t value, int32_t minDigits) {
  return QString::number(value, 16).toUpper().rightJustified(std::max(minDigits, 1), u'0');
}
