#include <gtest/gtest.h>

#include <cfenv>
#include <cstring>

#include "FloatingPointGuard.h"
#include "TwainUtils.h"

TEST(ConditionText, KnownCodesHaveTheirTextsAndGapsAreEmpty) {
  EXPECT_EQ(ConditionText(TWCC_SUCCESS), QStringLiteral("It worked!"));
  EXPECT_EQ(ConditionText(TWCC_NODS), QStringLiteral("No Data Source"));
  EXPECT_EQ(ConditionText(TWCC_BADVALUE), QStringLiteral("Data parameter out of range"));
  EXPECT_EQ(ConditionText(TWCC_CHECKDEVICEONLINE),
            QStringLiteral("The device went offline prior to or during this operation"));
  for (TW_UINT16 code : {7, 8, 24, 0xFFFF}) EXPECT_TRUE(ConditionText(code).isEmpty()) << code;
}

TEST(CopyToStr32, WritesLowBytesFromTheFirstByteAndCutsAt33) {
  TW_STR32 field;
  std::memset(field, 'x', sizeof(field));
  CopyToStr32(field, QStringLiteral("AB"));
  EXPECT_STREQ(field, "AB");
  EXPECT_EQ(field[33], '\0');
  CopyToStr32(field, QString(40, QLatin1Char('z')));
  EXPECT_EQ(std::strlen(field), 33u);
  CopyToStr32(field, QString(QChar(0x3042)));  // あ: low byte 42 hexadecimal
  EXPECT_EQ(field[0], '\x42');
}

TEST(Fix32, ConvertsBothWaysWithHalfAwayRounding) {
  struct TCase {
    double Value;
    int16_t Whole;
    uint16_t Frac;
  };
  for (const TCase& c : {TCase{-1.25, -2, 0xC000}, TCase{0.5, 0, 0x8000}, TCase{300, 300, 0},
                         TCase{-0.5 / 65536, -1, 0xFFFF}}) {
    const TW_FIX32 fix = FloatToFix32(c.Value);
    EXPECT_EQ(fix.Whole, c.Whole) << c.Value;
    EXPECT_EQ(fix.Frac, c.Frac) << c.Value;
    EXPECT_DOUBLE_EQ(Fix32ToFloat(fix), c.Value == -0.5 / 65536 ? -1.0 / 65536 : c.Value);
  }
  EXPECT_EQ(RoundHalfAway(2.5), 3);
  EXPECT_EQ(RoundHalfAway(-2.5), -3);
  EXPECT_EQ(RoundHalfAway(-2.4), -2);
  // Beyond the format's range the nearest end is kept instead of wrapping around.
  EXPECT_EQ(FloatToFix32(1e9).Whole, 32767);
  EXPECT_EQ(FloatToFix32(-1e9).Whole, -32768);
}

TEST(FloatingPointGuard, MasksTrapsInsideAndRestoresTheProgramsEnvironment) {
  std::fenv_t original;
  std::fegetenv(&original);
  feenableexcept(FE_DIVBYZERO);
  std::fesetround(FE_UPWARD);
  {
    TFloatingPointGuard guard;
    volatile double zero = 0;
    volatile double result = 1 / zero;  // would raise SIGFPE with the trap enabled
    EXPECT_TRUE(std::isinf(result));
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  }
  EXPECT_EQ(fegetexcept() & FE_DIVBYZERO, FE_DIVBYZERO);
  EXPECT_EQ(std::fegetround(), FE_UPWARD);
  std::fesetenv(&original);
}
