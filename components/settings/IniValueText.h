#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The value texts of typed settings entries.

// Integer syntax: optional leading blanks, an optional sign, then decimal digits or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Nothing may follow the digits. Decimal values must fit
// in a signed 64-bit number; hexadecimal ones may use all 64 bits (two's complement).
std::optional<int64_t> ParseIniInteger(QStringView Text);

// General number format: up to 15 significant digits without trailing zeros, scientific notation
// when the decimal exponent is below -4 or at least 15 ("1E-5", "1.5E15").
QString FormatIniFloat(long double Value, QChar DecimalSeparator);
// Optional blanks around an optionally signed number with digits, the decimal separator and an
// exponent; any other separator makes the text unparsable.
std::optional<long double> ParseIniFloat(QStringView Text, QChar DecimalSeparator);

// A fixed-point amount counted in ten-thousandths.
struct Currency {
  int64_t TenThousandths = 0;
  friend bool operator==(const Currency&, const Currency&) = default;
};

// Up to four decimals, without trailing zeros and never in scientific notation.
QString FormatIniCurrency(Currency Value, QChar DecimalSeparator);
// A number as ParseIniFloat reads it, rounded to ten-thousandths; out of range is unparsable.
std::optional<Currency> ParseIniCurrency(QStringView Text, QChar DecimalSeparator);
