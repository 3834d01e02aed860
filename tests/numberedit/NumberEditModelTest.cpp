#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "Exception.h"
#include "FakeEdit.h"

namespace {

using enum TArrowKeyDirection;
using enum TRoundMode;

// A number box in memory, run under both separator conventions; texts in the tests are written
// with "." and "," and translated.
class NumberEditModelTest : public ::testing::TestWithParam<TNumberLocale> {
 protected:
  NumberEditModelTest() : edit(GetParam()) {
    edit.SetOnChange([this](TNumberEditModel&) { ++changes; });
  }
  QString L(const char* text) const { return InLocale(QString::fromUtf8(text), GetParam()); }
  void Limits(long double min, long double max) {
    edit.SetMax(max);
    edit.SetMin(min);
    edit.SetLimit(true);
  }
  // The text as the user leaves it: typed into an emptied field.
  void Retype(const char* text) {
    edit.FocusEnter();  // selects everything
    edit.Type(L(text));
  }

  TFakeEdit edit;
  int changes = 0;
};

TEST_P(NumberEditModelTest, StartsAsZeroAlignedRight) {
  EXPECT_EQ(edit.Text(), "0");
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_EQ(edit.FApplied, TAlignment::taRightJustify);
  edit.SetAlignment(TAlignment::taRightJustify);
  edit.SetAlignment(TAlignment::taCenter);
  EXPECT_EQ(edit.FApplied, TAlignment::taCenter);
  EXPECT_EQ(edit.FAlignmentApplications, 2);  // only a change re-applies it
}

TEST_P(NumberEditModelTest, TypedValueBelowTheLimitClampsAtOnceButTheTextWaitsForExit) {
  Limits(20, 400);
  Retype("5");
  EXPECT_EQ(edit.Text(), "5");
  EXPECT_EQ(edit.Value(), 20);
  EXPECT_EQ(changes, 1);
  edit.FocusExit();
  EXPECT_EQ(edit.Text(), "20");
  EXPECT_EQ(changes, 1);  // the exit reformat is silent
}

TEST_P(NumberEditModelTest, ErasingSetsZeroWithoutChangeAndExitShowsZero) {
  Retype("12");
  const int before = changes;
  edit.Type("\b");
  EXPECT_EQ(changes, before + 1);
  edit.Type("\b");
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_EQ(changes, before + 1);
  edit.FocusExit();
  EXPECT_EQ(edit.Text(), "0");

  edit.SetZeroVisible(false);
  Retype("3");
  edit.Type("\b");
  edit.FocusExit();
  EXPECT_EQ(edit.Text(), "");
}

TEST_P(NumberEditModelTest, FigureRoundsTheValueWhileTypingAndTheTextOnExit) {
  struct TCase {
    TRoundMode Mode;
    const char* Typed;
    long double Value;
    const char* Shown;
  };
  const TCase cases[] = {{rmRound, "1.255", 1.26L, "1.26"},
                         {rmDown, "1.255", 1.25L, "1.25"},
                         {rmUp, "1.251", 1.26L, "1.26"}};
  for (const auto& c : cases) {
    TFakeEdit e(GetParam());
    e.SetFigure(2);
    e.SetRoundMode(c.Mode);
    e.FocusEnter();
    e.Type(L(c.Typed));
    EXPECT_EQ(e.Text(), L(c.Typed));
    EXPECT_NEAR(double(e.Value()), double(c.Value), 1e-12) << c.Typed;
    e.FocusExit();
    EXPECT_EQ(e.Text(), L(c.Shown)) << c.Typed;
  }
}

TEST_P(NumberEditModelTest, DisplayTextRoundsPadsAndCuts) {
  struct TCase {
    int Figure;
    bool Fixed;
    TRoundMode Mode;
    long double Value;
    const char* Shown;
  };
  const TCase cases[] = {
      {1, false, rmRound, -2.96L, "-3.0"}, {1, false, rmRound, 9.96L, "10.0"},
      {2, true, rmDown, 1.5L, "1.50"},     {2, true, rmDown, 3, "3.00"},
      {0, true, rmDown, 2.4L, "2"},        {0, false, rmRound, 2.5L, "3"},
      {-1, true, rmDown, 2.125L, "2.125"}, {3, true, rmDown, 1.23456L, "1.234"},
  };
  for (const auto& c : cases) {
    TFakeEdit e(GetParam());
    e.SetFigure(c.Figure);
    e.SetFixed(c.Fixed);
    e.SetRoundMode(c.Mode);
    e.SetValue(c.Value);
    EXPECT_EQ(e.Text(), L(c.Shown)) << double(c.Value);
    EXPECT_EQ(e.Value(),
              TNumberText(GetParam()).TextToValue(e.Text(), TNumberType::ntDecimal, false));
  }
}

TEST_P(NumberEditModelTest, SteppingKeepsFifteenDigitsAndAValueEqualToTheText) {
  edit.SetAllowKeys(true);
  edit.SetIncrement(0.1L);
  edit.SetValue(0.2L);
  edit.Arrow(adUp);
  EXPECT_EQ(edit.Text(), L("0.3"));
  for (int i = 0; i < 3; ++i) edit.Arrow(adDown);
  EXPECT_EQ(edit.Text(), "0");
  EXPECT_EQ(edit.Value(), 0);
}

TEST_P(NumberEditModelTest, CommaRegroupsWhileTypingWithTheCaretAtTheEnd) {
  edit.SetComma(true);
  edit.FocusEnter();
  const QString expected[] = {"1", "12", "123", "1,234", "12,345", "123,456", "1,234,567"};
  for (int i = 0; i < 7; ++i) {
    edit.Type(QString(QChar(u'1' + i)));
    EXPECT_EQ(edit.Text(), InLocale(expected[i], GetParam()));
    EXPECT_EQ(edit.SelStart(), edit.Text().size());
  }
  EXPECT_EQ(edit.Value(), 1234567);
  Retype("-0.5");
  EXPECT_EQ(edit.Text(), L("-0.5"));
  EXPECT_EQ(edit.Value(), -0.5L);
}

TEST_P(NumberEditModelTest, CommaMovesTheCaretWithAnAppearingSeparator) {
  edit.SetComma(true);
  Retype("123");
  edit.Select(1, 0);
  edit.Type("9");  // 1923 becomes 1,923: the caret stays behind the 9
  EXPECT_EQ(edit.Text(), L("1,923"));
  EXPECT_EQ(edit.SelStart(), 3);
  edit.Select(0, 1);
  edit.Type("\b");  // 923: the separator goes, the caret stays in front
  EXPECT_EQ(edit.Text(), "923");
  EXPECT_EQ(edit.SelStart(), 0);
  edit.Type("+");  // regrouping keeps no plus sign
  EXPECT_EQ(edit.Text(), "923");
}

TEST_P(NumberEditModelTest, CommaWriterReformatsSilently) {
  edit.SetValue(1234567.5L);
  const int before = changes;
  edit.SetComma(true);
  EXPECT_EQ(edit.Text(), L("1,234,567.5"));
  EXPECT_EQ(changes, before);
}

TEST_P(NumberEditModelTest, MaxIntLengthRefusesAFourthIntegerDigit) {
  edit.SetMaxIntLength(3);
  Retype("400");
  for (int caret : {0, 1, 3}) {
    edit.Select(caret, 0);
    edit.Type("5");
    EXPECT_EQ(edit.Text(), "400") << caret;
  }
  edit.Select(0, 3);
  edit.Type("5");
  EXPECT_EQ(edit.Text(), "5");

  Retype("400.");
  edit.Type("5");
  EXPECT_EQ(edit.Text(), L("400.5"));
  edit.Select(3, 1);  // only the separator selected: its digit would join the integer part
  edit.Type("7");
  EXPECT_EQ(edit.Text(), L("400.5"));
  edit.Select(2, 0);
  edit.Type("\b-");  // editing keys and signs still work
  EXPECT_EQ(edit.Text(), L("-40.5"));
}

TEST_P(NumberEditModelTest, SignKeysEditTheFrontOfTheText) {
  Retype("12");
  const std::pair<const char*, const char*> steps[] = {{"-", "-12"}, {"-", "12"}, {"-", "-12"},
                                                       {"+", "+12"}, {"+", "12"}, {"+", "+12"},
                                                       {"-", "-12"}};
  for (const auto& [key, text] : steps) {
    edit.Type(key);
    EXPECT_EQ(edit.Text(), text);
  }
  EXPECT_EQ(edit.Value(), -12);
  EXPECT_EQ(edit.SelStart(), 3);  // the caret stays behind the same digit
  edit.Select(0, 3);
  edit.Type("-");  // a selection at the front goes first
  EXPECT_EQ(edit.Text(), "-");
  EXPECT_EQ(edit.SelStart(), 1);
}

TEST_P(NumberEditModelTest, FilterLetsOnlyNumberCharactersIn) {
  Retype("1a2 b*3");
  EXPECT_EQ(edit.Text(), "123");
  edit.Type(L(".4.5,6"));  // the second decimal separator and a thousands separator are refused
  EXPECT_EQ(edit.Text(), L("123.456"));
}

TEST_P(NumberEditModelTest, PasteFiltersTheClipboardText) {
  struct TCase {
    const char* Text;
    int SelStart;
    int SelLength;
    std::optional<const char*> Clipboard;
    const char* Result;
  };
  const TCase cases[] = {
      {"", 0, 0, "1.2.3", "1.23"},   {"12", 0, 0, "-5", "-512"},
      {"12", 2, 0, "-5", "125"},  // a sign only in front
      {"-12", 0, 0, "3", "-12"},  // nothing in front of a sign
      {"+12", 0, 1, "3", "312"},  // a selected sign is replaced
      {"1.5", 1, 0, "2.5", "125.5"}, {"12", 2, 0, "a1 b,2", "1212"},
      {"1234", 1, 2, "9", "194"},    {"12", 0, 0, std::nullopt, "12"},
  };
  for (const auto& c : cases) {
    TFakeEdit e(GetParam());
    e.SetText(L(c.Text));
    e.Select(c.SelStart, c.SelLength);
    if (c.Clipboard) e.FClipboard = L(*c.Clipboard);
    e.Paste();
    EXPECT_EQ(e.Text(), L(c.Result)) << c.Text << " + " << c.Clipboard.value_or("(none)");
  }
}

TEST_P(NumberEditModelTest, PasteDoesNotSetModifiedOnExit) {
  edit.FocusEnter();
  edit.FClipboard = "42";
  edit.Paste();
  edit.FocusExit();
  EXPECT_EQ(edit.Value(), 42);
  EXPECT_FALSE(edit.Modified());
  edit.FocusEnter();
  edit.Type("1");
  edit.FocusExit();
  EXPECT_TRUE(edit.Modified());
}

TEST_P(NumberEditModelTest, ReadOnlyStepsButTakesNoSignOrPaste) {
  edit.SetAllowKeys(true);
  edit.SetValue(12);
  edit.FReadOnly = true;
  edit.Type("-");
  edit.FClipboard = "5";
  edit.Paste();
  EXPECT_EQ(edit.Text(), "12");
  edit.Arrow(adUp);
  EXPECT_EQ(edit.Text(), "13");
}

TEST_P(NumberEditModelTest, ZeroVisibleOffShowsZeroAsAnEmptyField) {
  edit.SetZeroVisible(false);
  EXPECT_EQ(edit.Text(), "");
  edit.SetValue(5);
  EXPECT_EQ(edit.Text(), "5");
  edit.SetValue(0);
  EXPECT_EQ(edit.Text(), "");
  edit.SetZeroVisible(true);
  EXPECT_EQ(edit.Text(), "0");
}

TEST_P(NumberEditModelTest, ZeroEnabledLetsAProgramAssignZeroOutsideTheLimits) {
  Limits(20, 400);
  edit.SetValue(50);
  edit.SetValue(0);
  EXPECT_EQ(edit.Text(), "0");
  EXPECT_EQ(edit.Value(), 20);  // the text-changed clamp has no zero exemption

  TFakeEdit strict(GetParam());
  strict.SetMax(400);
  strict.SetMin(20);
  strict.SetLimit(true);
  strict.SetZeroEnabled(false);
  strict.SetValue(0);
  EXPECT_EQ(strict.Text(), "20");
}

TEST_P(NumberEditModelTest, TurningZeroEnabledOffMovesAZeroToTheLimitNearestZero) {
  for (const auto& [min, max, moved] : {std::tuple{20, 400, 20}, {-400, -20, -20}}) {
    TFakeEdit e(GetParam());
    e.SetMin(min);
    e.SetMax(max);
    e.SetLimit(true);  // a zero value is exempt while ZeroEnabled is on
    EXPECT_EQ(e.Value(), 0);
    e.SetZeroEnabled(false);
    EXPECT_EQ(e.Value(), moved);
    EXPECT_EQ(e.Text(), "0");  // the text stays until the next reformat
  }
}

TEST_P(NumberEditModelTest, MinWriterPullsAnOutsideValueToMin) {
  edit.SetLimit(true);
  edit.SetMax(400);
  edit.SetMin(20);
  EXPECT_EQ(edit.Value(), 20);
  EXPECT_EQ(edit.Text(), "20");
}

TEST_P(NumberEditModelTest, LimitWritersKeepMinBelowMaxAndTheValueInside) {
  edit.SetMin(50);
  EXPECT_EQ(edit.Max(), 50);
  edit.SetMax(10);
  EXPECT_EQ(edit.Min(), 10);

  TFakeEdit e(GetParam());
  e.SetValue(500);
  e.SetMax(400);
  e.SetLimit(true);
  EXPECT_EQ(e.Text(), "400");
  e.SetLimitOptions({TLimitOption::loMin});
  e.SetMax(300);  // the Max writer only pulls the value with loMax
  EXPECT_EQ(e.Value(), 400);
  e.SetLimitOptions({TLimitOption::loMin, TLimitOption::loMax});
  EXPECT_EQ(e.Text(), "300");
  e.SetValue(-5);
  EXPECT_EQ(e.Value(), 0);
}

TEST_P(NumberEditModelTest, ArrowKeysStepWithinTheLimitsOrWrap) {
  struct TCase {
    bool Wrap;
    TLimitOptions Options;
    long double Start;
    TArrowKeyDirection Direction;
    long double Result;
  };
  const TLimitOptions both{TLimitOption::loMin, TLimitOption::loMax};
  const TLimitOptions maxOnly{TLimitOption::loMax};
  const TCase cases[] = {
      {true, both, 10, adUp, 0},     {false, both, 10, adUp, 10},     {true, both, 0, adDown, 10},
      {true, maxOnly, 10, adUp, 10}, {false, maxOnly, 0, adDown, -1}, {true, both, 9.5L, adUp, 0},
      {false, both, 5, adUp, 6},
  };
  for (const auto& c : cases) {
    TFakeEdit e(GetParam());
    e.SetAllowKeys(true);
    e.SetMax(10);
    e.SetLimit(true);
    e.SetLimitOptions(c.Options);
    e.SetWrap(c.Wrap);
    e.SetValue(c.Start);
    e.Arrow(c.Direction);
    EXPECT_EQ(e.Value(), c.Result) << double(c.Start) << (c.Wrap ? " wrap" : "");
  }
}

TEST_P(NumberEditModelTest, ArrowKeyHandlerMayReplaceTheValue) {
  std::vector<TArrowKeyDirection> seen;
  edit.SetOnArrowKeyChange([&](TNumberEditModel&, TArrowKeyDirection d, long double& v) {
    seen.push_back(d);
    v *= 10;
  });
  edit.Arrow(adUp);
  EXPECT_TRUE(seen.empty());  // AllowKeys is off
  edit.SetAllowKeys(true);
  edit.Arrow(adUp);
  edit.Arrow(adDown);
  EXPECT_EQ(seen, (std::vector{adUp, adDown}));
  EXPECT_EQ(edit.Value(), 90);
}

TEST_P(NumberEditModelTest, AFailingConversionKeepsTheValueAndFiresNoChange) {
  edit.SetValue(7);
  const int before = changes;
  EXPECT_THROW(edit.SetText("1x"), EConvertError);
  EXPECT_EQ(edit.Value(), 7);
  EXPECT_EQ(changes, before);
  EXPECT_THROW(edit.FocusExit(), EConvertError);
  edit.SetText("8");  // the guard of the exit reformat was released
  EXPECT_EQ(edit.Value(), 8);
  EXPECT_THROW(edit.SetValue(NAN), EConvertError);
  EXPECT_THROW(edit.SetMax(INFINITY), EConvertError);
  EXPECT_EQ(edit.Value(), 8);
}

TEST_P(NumberEditModelTest, FocusEnterSelectsOrPlacesTheCaret) {
  int enters = 0;
  edit.SetOnEnter([&](TNumberEditModel&) { ++enters; });
  edit.SetValue(123);
  edit.FocusEnter();
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelLength(), 3);
  edit.FAutoSelect = false;
  edit.FocusEnter();
  EXPECT_EQ(edit.SelStart(), 3);
  EXPECT_EQ(edit.SelLength(), 0);
  EXPECT_EQ(enters, 2);
}

TEST_P(NumberEditModelTest, ExitReformatsKeepsATypedPlusAndFiresOnExit) {
  int exits = 0;
  edit.SetOnExit([&](TNumberEditModel&) { ++exits; });
  edit.SetFigure(1);
  Retype("+5.25");
  edit.FocusExit();
  EXPECT_EQ(edit.Text(), L("+5.2"));
  EXPECT_EQ(exits, 1);
  edit.SetValue(-3);  // a negative value shows its own sign only
  EXPECT_EQ(edit.Text(), "-3");
}

TEST_P(NumberEditModelTest, KeyPressHandlerSeesAndMaySwallowCharacters) {
  QString seen;
  edit.SetOnKeyPress([&](TNumberEditModel&, QChar& key) {
    seen += key;
    if (key == u'7') key = QChar();
  });
  Retype("17-8");
  EXPECT_EQ(edit.Text(), "-18");
  EXPECT_EQ(seen, "178");  // the sign key edits the text instead
  edit.FCtrlDown = true;   // with Ctrl down any character reaches the edit (its shortcuts)
  edit.Type("\x01");
  EXPECT_EQ(seen, "178\x01");
}

TEST_P(NumberEditModelTest, HexadecimalTextAndValues) {
  edit.SetNumberType(TNumberType::ntHex);
  Retype("FFFFFFFF");
  EXPECT_EQ(edit.Value(), -1);
  edit.SetValue(std::ldexp(1.0L, 40));
  EXPECT_EQ(edit.Text(), "7FFFFFFF");
  edit.SetValue(255.5L);
  EXPECT_EQ(edit.Text(), "FF");
  edit.SetValidMinus(true);
  edit.SetValue(-255);
  EXPECT_EQ(edit.Text(), "-FF");
  edit.SetFigure(4);
  EXPECT_EQ(edit.Text(), "-00FF");
  EXPECT_EQ(edit.AsText(), "-FF");
  edit.SetValue(std::ldexp(1.0L, 40));
  EXPECT_EQ(edit.Text(), "10000000000");
}

TEST_P(NumberEditModelTest, HexadecimalFilterAndSigns) {
  edit.SetNumberType(TNumberType::ntHex);
  Retype("1fG-+.x");
  EXPECT_EQ(edit.Text(), "1f");
  edit.SetValidMinus(true);
  Retype("ff-");
  EXPECT_EQ(edit.Text(), "-ff");
  edit.Type("+");
  EXPECT_EQ(edit.Text(), "ff");
  edit.Type("+");
  EXPECT_EQ(edit.Text(), "ff");
  EXPECT_EQ(edit.Value(), 255);
}

TEST_P(NumberEditModelTest, NinthHexDigitRaisesAndKeepsTheValue) {
  edit.SetNumberType(TNumberType::ntHex);
  Retype("12345678");
  EXPECT_THROW(edit.Type("9"), EConvertError);
  EXPECT_EQ(edit.Value(), 0x12345678);
}

TEST_P(NumberEditModelTest, SwitchingNumberTypeRewritesTheText) {
  edit.SetValue(255);
  edit.SetNumberType(TNumberType::ntHex);
  EXPECT_EQ(edit.Text(), "FF");
  EXPECT_EQ(edit.Value(), 255);
  edit.SetValue(-1);
  edit.SetNumberType(TNumberType::ntDecimal);
  EXPECT_EQ(edit.Text(), "-1");
  edit.SetValidMinus(true);
  edit.SetValue(-255);
  edit.SetNumberType(TNumberType::ntHex);  // with ValidMinus the value keeps its sign
  EXPECT_EQ(edit.Text(), "-FF");
  EXPECT_EQ(edit.Value(), -255);
}

TEST_P(NumberEditModelTest, WholeNumberReads) {
  edit.SetRoundMode(rmRound);
  edit.SetValue(2.5L);
  EXPECT_EQ(edit.AsInt64(), 3);
  edit.SetValue(3e9L);
  EXPECT_EQ(edit.AsInt64(), 3000000000);
  EXPECT_EQ(edit.IntValue(), 2147483647);
  EXPECT_EQ(edit.AsInteger(), 2147483647);
  edit.SetAsInt64(-5000000000);
  EXPECT_EQ(edit.IntValue(), -2147483647 - 1);
  edit.SetValue(1e20L);
  EXPECT_EQ(edit.AsText(), "1E20");
  EXPECT_EQ(edit.Text(), "100000000000000000000");
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberEditModelTest, ::testing::Values(kDotLocale, kCommaLocale),
                         [](const auto& info) {
                           return info.param.DecimalSeparator == u'.' ? "DotDecimal"
                                                                      : "CommaDecimal";
                         });

}  // namespace
