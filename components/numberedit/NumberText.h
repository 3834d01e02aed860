#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

enum class TNumberType { ntDecimal, ntHex };
enum class TRoundMode { rmDown, rmRound, rmUp };

// The decimal and thousands separators of the user's locale. Number boxes read them once; tests
// hand in their own.
struct TNumberLocale {
  QChar DecimalSeparator = u'.';
  QChar ThousandSeparator = u',';

  static const TNumberLocale& System();
};

// Conversions between numbers and the texts of a number box, under one locale. Every text-to-number
// conversion is strict: a text that is not a number raises EConvertError.
class TNumberText {
 public:
  explicit TNumberText(const TNumberLocale& locale) : FLocale(locale) {}

  QChar DS() const { return FLocale.DecimalSeparator; }
  QChar TS() const { return FLocale.ThousandSeparator; }

  long double TextToValue(const QString& text, TNumberType type, bool validMinus) const;
  // Shortest text at 15 significant digits, never in exponent form.
  QString ExpandFloatText(long double value) const;
  // Shortest text at 15 significant digits; exponent form from 1E15 up and below 0.0001.
  QString GeneralText(long double value) const;
  // Cuts a decimal text to `figure` decimals, rounding the magnitude by `mode`. With figure 0 the
  // result ends in the decimal separator.
  QString RoundText(const QString& text, int32_t figure, TRoundMode mode) const;
  // Groups the integer part in threes with the thousands separator (the text holds none).
  QString GroupThousands(const QString& text) const;
  // The text without thousands separators and control characters.
  QString WithoutSeparators(const QString& text) const;
  // The value rounded to a whole number by `mode`, saturated to the 64-bit range.
  int64_t WholeNumber(long double value, TRoundMode mode) const;

  // Upper-case hexadecimal digits, zero-padded to at least max(minDigits, 1) digits.
  static QString HexDigits(uint64_t value, int32_t minDigits);
  static bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
  static bool IsSign(QChar c) { return c == u'-' || c == u'+'; }
  static bool IsHexDigit(QChar c);

 private:
  long double DecimalTextToValue(const QString& text) const;
  TNumberLocale FLocale;
};
