#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "Exception.h"
#include "FakeEdit.h"
#include "NumberText.h"

namespace {

// Every table runs under both separator conventions; texts are written with "." and ",".
class NumberTextTest : public ::testing::TestWithParam<TNumberLocale> {
 protected:
  TNumberText Texts() const { return TNumberText(GetParam()); }
  QString L(const char* text) const { return InLocale(QString::fromUtf8(text), GetParam()); }
};

struct TValueCase {
  const char* Text;
  long double Value;
};

TEST_P(NumberTextTest, DecimalTextToValue) {
  const TValueCase cases[] = {
      {"", 0},
      {"-", 0},
      {"+", 0},
      {"12.", 12},
      {".", 0},
      {"-.5", -0.5L},
      {"1,234.5", 1234.5L},
      {"+7", 7},
      {"-0.5", -0.5L},
      {"007", 7},
      {"1E20", 1e20L},
      {"1.5E-5", 1.5e-5L},
      {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      // beyond the 64-bit range an integer still reads, as a floating value
      {"123456789012345678901", 123456789012345678901.0L},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts().TextToValue(L(c.Text), TNumberType::ntDecimal, false), c.Value) << c.Text;
}

TEST_P(NumberTextTest, DecimalTextThatIsNoNumberRaises) {
  for (const char* text : {"abc", "1.2.3", "1-2", "--5", "+-5", "1E", "1.5x", "E5", "1 2"})
    EXPECT_THROW(Texts().TextToValue(L(text), TNumberType::ntDecimal, false), EConvertError)
        << text;
}

TEST_P(NumberTextTest, ConversionErrorNamesTheText) {
  try {
    Texts().TextToValue(QStringLiteral("12x"), TNumberType::ntDecimal, false);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("'12x' は有効な整数値ではありません"));
  }
}

TEST_P(NumberTextTest, HexTextToValue) {
  struct TCase {
    const char* Text;
    bool ValidMinus;
    long double Value;
  };
  const TCase cases[] = {
      {"FFFFFFFF", false, -1},
      {"7fffffff", false, 2147483647},
      {"80000000", false, -2147483648.0L},
      {"000000001", false, 1},  // leading zeros are not significant
      {"-FF", true, -255},
      {"FFFFFFFFFFFFFFFF", true, -1},
      {"-8000000000000000", true, std::numeric_limits<int64_t>::min()},
      {"FFFFFFFF", true, 4294967295.0L},
      {"-", true, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts().TextToValue(c.Text, TNumberType::ntHex, c.ValidMinus), c.Value) << c.Text;
  for (const auto& [text, validMinus] : {std::pair{"100000000", false},
                                         {"-FF", false},
                                         {"10000000000000000", true},
                                         {"G", true},
                                         {"+FF", true}})
    EXPECT_THROW(Texts().TextToValue(text, TNumberType::ntHex, validMinus), EConvertError) << text;
}

TEST_P(NumberTextTest, ExpandFloatTextNeverWritesAnExponent) {
  const std::pair<long double, const char*> cases[] = {
      {0.000015L, "0.000015"},
      {1.5e20L, "150000000000000000000"},
      {2.5L, "2.5"},
      {-2.5L, "-2.5"},
      {0, "0"},
      {100, "100"},
      {0.2L + 0.1L, "0.3"},
      {1.0L / 3, "0.333333333333333"},
      {123456789012345678.0L, "123456789012346000"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(Texts().ExpandFloatText(value), L(text));
}

TEST_P(NumberTextTest, GeneralTextUsesExponentForLargeAndTinyMagnitudes) {
  const std::pair<long double, const char*> cases[] = {
      {1e15L, "1E15"},
      {999999999999999.0L, "999999999999999"},
      {999999999999999.9L, "1E15"},  // rounds to 15 digits first
      {0.0001L, "0.0001"},
      {0.000015L, "1.5E-5"},
      {-1e20L, "-1E20"},
      {1.5L, "1.5"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(Texts().GeneralText(value), L(text));
}

TEST_P(NumberTextTest, RoundTextActsOnTheMagnitude) {
  struct TCase {
    const char* Text;
    int Figure;
    TRoundMode Mode;
    const char* Result;
  };
  using enum TRoundMode;
  const TCase cases[] = {
      {"1.255", 2, rmRound, "1.26"},     {"1.255", 2, rmDown, "1.25"},
      {"1.251", 2, rmUp, "1.26"},        {"1.250", 2, rmUp, "1.25"},
      {"9.96", 1, rmRound, "10.0"},      {"-2.96", 1, rmRound, "-3.0"},
      {"-0.96", 1, rmRound, "-1.0"},     {"-2.94", 1, rmRound, "-2.9"},
      {"13.5", 0, rmRound, "14."},       {"13.4", 0, rmRound, "13."},
      {"13.4", 0, rmUp, "14."},          {"-13.9", 0, rmDown, "-13."},
      {"999.99", 1, rmUp, "1000.0"},     {".96", 1, rmRound, "1.0"},
      {"-.5", 0, rmRound, "-1."},        {"+9.5", 0, rmRound, "+10."},
      {"12", 2, rmRound, "12"},          {"12.", 1, rmRound, "12."},
      {"1.5", -1, rmRound, "1.5"},       {"1.25", 2, rmUp, "1.25"},
      {"1,234.56", 1, rmDown, "1234.5"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts().RoundText(L(c.Text), c.Figure, c.Mode), L(c.Result))
        << c.Text << " to " << c.Figure;
}

TEST_P(NumberTextTest, GroupThousandsKeepsOnlyAMinus) {
  const std::pair<const char*, const char*> cases[] = {
      {"1234567", "1,234,567"},
      {"-1234.5", "-1,234.5"},
      {"-0.5", "-0.5"},
      {"+12", "12"},
      {"007", "7"},
      {".5", "0.5"},
      {"", "0"},
      {"123", "123"},
      {"123456789012345678901234", "123,456,789,012,345,678,901,234"},
  };
  for (const auto& [text, grouped] : cases)
    EXPECT_EQ(Texts().GroupThousands(L(text)), L(grouped)) << text;
}

TEST_P(NumberTextTest, WholeNumberRoundsByModeAndSaturates) {
  struct TCase {
    long double Value;
    TRoundMode Mode;
    int64_t Whole;
  };
  using enum TRoundMode;
  const TCase cases[] = {
      {2.5L, rmDown, 2},
      {2.5L, rmRound, 3},
      {-2.5L, rmRound, -3},
      {2.1L, rmUp, 3},
      {-2.1L, rmUp, -3},
      {0.00001L, rmUp, 1},  // a value written in exponent form still rounds
      {1e20L, rmDown, std::numeric_limits<int64_t>::max()},
      {-1e20L, rmDown, std::numeric_limits<int64_t>::min()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Texts().WholeNumber(c.Value, c.Mode), c.Whole) << double(c.Value);
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextTest, ::testing::Values(kDotLocale, kCommaLocale),
                         [](const auto& info) {
                           return info.param.DecimalSeparator == u'.' ? "DotDecimal"
                                                                      : "CommaDecimal";
                         });

}  // namespace
