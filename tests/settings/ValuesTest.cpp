// Typed entries that need no window: flags, numbers, colours, floating point, currency, dates,
// texts, folders, scrambled texts, fonts, points, rectangles and lists.
#include <QCoreApplication>
#include <cmath>

#include "StoreFixture.h"
#include "TestApplication.h"

namespace {

const auto* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TApplicationEnvironment<QCoreApplication>);

// A store holding the one item S.v = Text.
class ValueFixture : public StoreFixture {
 protected:
  std::unique_ptr<TExtIniFile> Holding(const QString& Text) const {
    auto Store = Open();
    Store->WriteStr("S", "v", Text);
    return Store;
  }
  static QString Stored(const TExtIniFile& Store) { return Store.ReadStr("S", "v", "<missing>"); }
};

template <typename T>
struct TReadCase {
  const char* Text;
  T Expected;
};

template <typename T>
std::ostream& operator<<(std::ostream& Out, const TReadCase<T>& Case) {
  return Out << '"' << Case.Text << '"';
}

class ReadBoolTest : public ValueFixture, public testing::WithParamInterface<TReadCase<bool>> {};

TEST_P(ReadBoolTest, ReadsOneAndTrueAsTrue) {
  EXPECT_EQ(Holding(GetParam().Text)->ReadBool("S", "v", true), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Flags, ReadBoolTest,
                         testing::Values(TReadCase<bool>{"1", true}, TReadCase<bool>{"TRUE", true},
                                         TReadCase<bool>{"tRuE", true}, TReadCase<bool>{"0", false},
                                         TReadCase<bool>{"2", false}, TReadCase<bool>{"yes", false},
                                         TReadCase<bool>{" 1", false}, TReadCase<bool>{"", false}));

using ValueTest = ValueFixture;

TEST_F(ValueTest, FlagsAreWrittenAsOneAndZeroAndMissingGivesTheDefault) {
  auto Store = Open();
  Store->WriteBool("S", "t", true);
  Store->WriteBool("S", "f", false);
  EXPECT_EQ(Store->ReadStr("S", "t", ""), "1");
  EXPECT_EQ(Store->ReadStr("S", "f", ""), "0");
  EXPECT_TRUE(Store->ReadBool("S", "missing", true));
  EXPECT_FALSE(Store->ReadBool("Missing", "t", false));
}

constexpr int32_t kDefault = 777;

class ReadIntTest : public ValueFixture, public testing::WithParamInterface<TReadCase<int32_t>> {};

TEST_P(ReadIntTest, FollowsTheIntegerSyntax) {
  EXPECT_EQ(Holding(GetParam().Text)->ReadInt("S", "v", kDefault), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Integers, ReadIntTest,
    testing::Values(TReadCase<int32_t>{"12", 12}, TReadCase<int32_t>{" 12", 12},
                    TReadCase<int32_t>{"12 ", kDefault}, TReadCase<int32_t>{"-12", -12},
                    TReadCase<int32_t>{"+12", 12}, TReadCase<int32_t>{"0x1F", 31},
                    TReadCase<int32_t>{"0X1f", 31}, TReadCase<int32_t>{"$1f", 31},
                    TReadCase<int32_t>{"x1f", 31}, TReadCase<int32_t>{"X1F", 31},
                    TReadCase<int32_t>{" -$10", -16}, TReadCase<int32_t>{"2147483648", INT32_MIN},
                    TReadCase<int32_t>{"4294967295", -1}, TReadCase<int32_t>{"$FFFFFFFF", -1},
                    TReadCase<int32_t>{"99999999999999999999", kDefault},
                    TReadCase<int32_t>{"", kDefault}, TReadCase<int32_t>{"$", kDefault},
                    TReadCase<int32_t>{"0x", kDefault}, TReadCase<int32_t>{"-", kDefault},
                    TReadCase<int32_t>{"1e3", kDefault}, TReadCase<int32_t>{"12a", kDefault},
                    TReadCase<int32_t>{"$1g", kDefault}, TReadCase<int32_t>{"\xd9\xa3", kDefault},
                    TReadCase<int32_t>{"--1", kDefault}));

class ReadInt64Test : public ValueFixture,
                      public testing::WithParamInterface<TReadCase<int64_t>> {};

TEST_P(ReadInt64Test, TakesTheFull64BitRange) {
  EXPECT_EQ(Holding(GetParam().Text)->ReadInt64("S", "v", kDefault), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Integers, ReadInt64Test,
                         testing::Values(TReadCase<int64_t>{"9223372036854775807", INT64_MAX},
                                         TReadCase<int64_t>{"-9223372036854775808", INT64_MIN},
                                         TReadCase<int64_t>{"9223372036854775808", kDefault},
                                         TReadCase<int64_t>{"$FFFFFFFFFFFFFFFF", -1},
                                         TReadCase<int64_t>{"$10000000000000000", kDefault},
                                         TReadCase<int64_t>{"4294967296", 4294967296}));

TEST_F(ValueTest, UnsignedReadersKeepTheLow32Bits) {
  EXPECT_EQ(Holding("-1")->ReadCardinal("S", "v", 5), 4294967295u);
  EXPECT_EQ(Holding("4294967296")->ReadUInt("S", "v", 5), 0u);
  EXPECT_EQ(Holding("x")->ReadCardinal("S", "v", 5), 5u);
  auto Store = Open();
  Store->WriteCardinal("S", "v", 4294967295u);
  EXPECT_EQ(Stored(*Store), "4294967295");
  Store->WriteInt64("S", "v", INT64_MIN);
  EXPECT_EQ(Stored(*Store), "-9223372036854775808");
}

TEST_F(ValueTest, ColoursAreDollarAndEightHexDigits) {
  auto Store = Open();
  for (const auto& [Colour, Text] : {std::pair<TColor, QString>{255, "$000000FF"},
                                     {static_cast<TColor>(0xFF00000F), "$FF00000F"},
                                     {0x00ABCDEF, "$00ABCDEF"}}) {
    Store->WriteColor("S", "v", Colour);
    EXPECT_EQ(Stored(*Store), Text);
    EXPECT_EQ(Store->ReadColor("S", "v", 0), Colour);
  }
}

struct TFloatCase {
  long double Value;
  const char* Point;
  const char* Comma;
};

std::ostream& operator<<(std::ostream& Out, const TFloatCase& Case) { return Out << Case.Point; }

class FloatTest : public ValueFixture, public testing::WithParamInterface<TFloatCase> {};

TEST_P(FloatTest, WritesTheGeneralFormatInTheLocaleAndReadsItBack) {
  for (const QChar Separator : {QChar(u'.'), QChar(u',')}) {
    auto Store = Open();
    Store->SetDecimalSeparator(Separator);
    Store->WriteFloat("S", "v", GetParam().Value);
    const QString Text = Stored(*Store);
    EXPECT_EQ(Text, Separator == u'.' ? GetParam().Point : GetParam().Comma);
    const long double Back = Store->ReadFloat("S", "v", -1);
    EXPECT_LE(std::fabs(Back - GetParam().Value), std::fabs(GetParam().Value) * 1e-14L)
        << Text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FloatTest,
    testing::Values(TFloatCase{0.5L, "0.5", "0,5"}, TFloatCase{-2.25L, "-2.25", "-2,25"},
                    TFloatCase{0, "0", "0"}, TFloatCase{100, "100", "100"},
                    TFloatCase{0.0001L, "0.0001", "0,0001"}, TFloatCase{1e-5L, "1E-5", "1E-5"},
                    TFloatCase{1.5e-7L, "1.5E-7", "1,5E-7"},
                    TFloatCase{123456789012345.0L, "123456789012345", "123456789012345"},
                    TFloatCase{1e15L, "1E15", "1E15"},
                    TFloatCase{1234567890123456.0L, "1.23456789012346E15", "1,23456789012346E15"},
                    TFloatCase{1.0L / 3, "0.333333333333333", "0,333333333333333"},
                    TFloatCase{45000.75L, "45000.75", "45000,75"}));

TEST_F(ValueTest, FloatsInTheOtherSeparatorAreUnparsable) {
  auto Store = Holding("0,5");
  EXPECT_EQ(Store->ReadFloat("S", "v", -1), -1);
  Store->SetDecimalSeparator(u',');
  EXPECT_EQ(Store->ReadFloat("S", "v", -1), 0.5L);
  for (const char* Bad : {"", "1.5.5", "e5", "1e", "1,5", "0x10", "1.5x", "--1"})
    EXPECT_EQ(Holding(Bad)->ReadFloat("S", "v", -1), -1) << Bad;
  EXPECT_EQ(Holding(" 2.5E2 ")->ReadFloat("S", "v", -1), 250);
}

TEST_F(ValueTest, CurrencyKeepsFourDecimals) {
  auto Store = Open();
  Store->SetDecimalSeparator(u',');
  for (const auto& [Amount, Text] : {std::pair<int64_t, QString>{15000, "1,5"},
                                     {123456789, "12345,6789"},
                                     {-1, "-0,0001"},
                                     {1000000, "100"},
                                     {INT64_MIN, "-922337203685477,5808"}}) {
    Store->WriteCurr("S", "v", Currency{Amount});
    EXPECT_EQ(Stored(*Store), Text);
    EXPECT_EQ(Store->ReadCurr("S", "v", Currency{7}).TenThousandths, Amount) << Text.toStdString();
  }
  EXPECT_EQ(Holding("1,23456")->ReadCurr("S", "v", Currency{7}).TenThousandths, 7)
      << "the other separator";
  auto Rounding = Holding("1.23456");
  EXPECT_EQ(Rounding->ReadCurr("S", "v", Currency{7}).TenThousandths, 12346);
  EXPECT_EQ(Holding("1e20")->ReadCurr("S", "v", Currency{7}).TenThousandths, 7);
}

TEST_F(ValueTest, DatesAndTimes) {
  auto Store = Open();
  Store->WriteDateTime("S", "v", 45000.75);
  EXPECT_EQ(Stored(*Store), "45000.75");
  EXPECT_EQ(Store->ReadDateTime("S", "v", -1), 45000.75);
  EXPECT_EQ(Store->ReadDate("S", "v", -1), 45000.0);
  EXPECT_EQ(Store->ReadTime("S", "v", -1), 0.75);
  Store->WriteTime("S", "v", 1.9999999999);
  EXPECT_EQ(Store->ReadTime("S", "v", -1), 0.0) << "rounds to the next midnight";
  EXPECT_EQ(Holding("3000000")->ReadDateTime("S", "v", 1.5), 1.5);
  EXPECT_EQ(Holding("2958466")->ReadDateTime("S", "v", 1.5), 1.5);
  EXPECT_EQ(Holding("2958465.99")->ReadDate("S", "v", 1.5), 2958465.0);
  EXPECT_EQ(Holding("-657434")->ReadDateTime("S", "v", 1.5), -657434.0);
  EXPECT_EQ(Holding("-657434.5")->ReadDate("S", "v", 2.5), 2.0) << "the default's date";
  EXPECT_EQ(Holding("nonsense")->ReadTime("S", "v", 2.25), 0.25);
}

TEST_F(ValueTest, TextsAndDirectories) {
  auto Store = Holding("");
  EXPECT_EQ(Store->ReadStr("S", "v", "default"), "") << "present but empty is not missing";
  EXPECT_EQ(Store->ReadStr("S", "missing", "default"), "default");
  Store->WriteStr("S", "d", "/data");
  EXPECT_EQ(Store->ReadDirectory("S", "d", ""), "/data/");
  EXPECT_EQ(Store->ReadDirectory("S", "missing", ""), "");
  EXPECT_EQ(Store->ReadDirectory("S", "missing", "/x"), "/x/");
  EXPECT_EQ(Store->ReadDirectory("S", "v", "/x"), "");
  Store->WriteDirectory("S", "d", "/tmp");
  EXPECT_EQ(Store->ReadStr("S", "d", ""), "/tmp/");
  Store->WriteDirectory("S", "d", "/tmp/");
  EXPECT_EQ(Store->ReadStr("S", "d", ""), "/tmp/");
  Store->WriteDirectory("S", "d", "");
  EXPECT_EQ(Store->ReadStr("S", "d", "-"), "");
}

TEST_F(ValueTest, ByteStringsAreScrambledAndComeBack) {
  QByteArray AllBytes;
  for (int Byte = 0; Byte < 256; ++Byte) AllBytes += static_cast<char>(Byte);
  for (const QByteArray& Password :
       {QByteArray("secret"), QByteArray(), QByteArray("\xff\x00", 2)}) {
    auto Store = Open();
    Store->WriteStrEx("S", "v", AllBytes, Password);
    const QString Text = Stored(*Store);
    EXPECT_EQ(Text.size(), 512);
    EXPECT_FALSE(Text.contains(u'=')) << "the value must survive as one item";
    EXPECT_EQ(Store->ReadStrEx("S", "v", QByteArray("default"), Password), AllBytes);
  }
  auto Store = Open();
  Store->WriteStrEx("S", "v", QByteArray("password"), QByteArray("key"));
  EXPECT_FALSE(Stored(*Store).contains("password"));
  EXPECT_NE(Store->ReadStrEx("S", "v", QByteArray(), QByteArray("other")), "password");
  EXPECT_EQ(Store->ReadStrEx("S", "missing", QByteArray("d"), QByteArray("key")), "d");
}

TEST_F(ValueTest, TextsAreScrambledAndComeBack) {
  const QString Text = QString("画像 Levelora") + QChar(0) + QChar(0xFFFF) + QChar(0x0100);
  for (const QString& Password : {QString("パスワード"), QString("k"), QString()}) {
    auto Store = Open();
    Store->WriteStrEx("S", "v", Text, Password);
    EXPECT_FALSE(Stored(*Store).contains("Levelora"));
    EXPECT_EQ(Store->ReadStrEx("S", "v", QString("default"), Password), Text);
    Store->Update();
    auto Reread = Open();
    EXPECT_EQ(Reread->ReadStrEx("S", "v", QString("default"), Password), Text)
        << "survives the file";
  }
}

TEST_F(ValueTest, ScrambledTextsThatDoNotUnscrambleGiveTheDefault) {
  EXPECT_EQ(Holding("c*")->ReadStrEx("S", "v", QByteArray("d"), QByteArray()), "d")
      << "a character outside the alphabet";
  EXPECT_EQ(Holding("s>")->ReadStrEx("S", "v", QByteArray("d"), QByteArray()), "d")
      << "a byte beyond 255";
  EXPECT_EQ(Holding("é")->ReadStrEx("S", "v", QString("d"), QString()), "d");
  EXPECT_EQ(Holding("+")->ReadStrEx("S", "v", QString("d"), QString()), "d") << "cut short";
  EXPECT_EQ(Holding("==")->ReadStrEx("S", "v", QString("d"), QString()), QString(QChar(0)));
}

TEST_F(ValueTest, FontsComeBackWhole) {
  TFont Written;
  Written.Charset = 128;
  Written.Color = static_cast<TColor>(0xFF000008);
  Written.Height = -16;
  Written.Name = "IPAゴシック";
  Written.Pitch = TFontPitch::fpFixed;
  Written.Bold = Written.Underline = true;
  auto Store = Open();
  Store->WriteFont("S", "f", Written);
  EXPECT_EQ(Store->ReadStr("S", "f", ""), "FONT");
  EXPECT_EQ(Store->ReadStr("S", "f.color", ""), "$FF000008");
  TFont Read;
  Store->ReadFont("S", "f", Read);
  EXPECT_EQ(Read, Written);
  Written.Italic = Written.StrikeOut = true;
  Written.Bold = Written.Underline = false;
  Written.Pitch = TFontPitch::fpDefault;
  Store->WriteFont("S", "f", Written);
  Store->ReadFont("S", "f", Read);
  EXPECT_EQ(Read, Written);
}

TEST_F(ValueTest, FontFieldsAreReadOneByOne) {
  auto Store = Open("[S]\r\nf.name=\r\nf.pitch=7\r\nf.height=x\r\nf.b=true\r\n");
  TFont Font;
  Font.Height = 10;
  Store->ReadFont("S", "f", Font);
  EXPECT_EQ(Font.Name, "") << "a present name, even empty, is taken";
  EXPECT_EQ(Font.Pitch, TFontPitch::fpVariable);
  EXPECT_EQ(Font.Height, 10) << "unparsable keeps the current value";
  EXPECT_TRUE(Font.Bold);
  EXPECT_EQ(Font.Charset, TFont().Charset);
}

TEST_F(ValueTest, PointsAndRectangles) {
  auto Store = Open();
  Store->WritePoint("S", "p", TPoint{-3, 4});
  Store->WriteRect("S", "r", TRect{1, 2, 30, 40});
  EXPECT_EQ(Store->ReadPoint("S", "p", TPoint{}), (TPoint{-3, 4}));
  EXPECT_EQ(Store->ReadRect("S", "r", TRect{}), (TRect{1, 2, 30, 40}));
  Store->DeleteItem("S", "r.top");
  EXPECT_EQ(Store->ReadRect("S", "r", TRect{9, 9, 9, 9}), (TRect{1, 9, 30, 40}));
  EXPECT_EQ(Store->ReadPoint("S", "missing", TPoint{5, 6}), (TPoint{5, 6}));
  EXPECT_EQ(Store->ReadStr("S", "p", ""), "POINT");
}

QStringList SectionLines(const TExtIniFile& Store) {
  QStringList Lines;
  Store.ReadSection("S", Lines);
  return Lines;
}

TEST_F(ValueTest, WriteListShrinksTheList) {
  auto Store = Open();
  Store->WriteList("S", "L", {"a", "b", "c", "d", "e"});
  Store->WriteList("S", "L", {"x", "y", "z"});
  EXPECT_EQ(SectionLines(*Store), QStringList({"L=LIST", "L.count=3", "L.0=x", "L.1=y", "L.2=z"}));
  QStringList Read;
  Store->ReadList("S", "L", Read);
  EXPECT_EQ(Read, QStringList({"x", "y", "z"}));
  Store->WriteList("S", "L", {});
  EXPECT_EQ(SectionLines(*Store), QStringList({"L=LIST", "L.count=0"}));
}

TEST_F(ValueTest, ReadListSkipsMissingEntries) {
  auto Store = Open("[S]\r\nL.count=3\r\nL.2=c\r\nL.0=a\r\nL.01=no\r\nL.0=second\r\n");
  QStringList Read{"stale"};
  Store->ReadList("S", "L", Read);
  EXPECT_EQ(Read, QStringList({"a", "c"}));
}

TEST_F(ValueTest, AHugeListCountCostsOnlyWhatIsStored) {
  auto Store = Open("[S]\r\nL=LIST\r\nL.count=2147483647\r\nL.0=a\r\nL.2000000000=b\r\n");
  QStringList Read;
  Store->ReadList("S", "L", Read);
  EXPECT_EQ(Read, QStringList({"a", "b"}));
  Store->WriteList("S", "L", {"x"});
  EXPECT_EQ(SectionLines(*Store), QStringList({"L=LIST", "L.count=1", "L.0=x"}));
  Store->WriteStr("S", "L.count", "2147483647");
  Store->DeleteItem("S", "L");
  EXPECT_TRUE(SectionLines(*Store).isEmpty());
}

TEST_F(ValueTest, WritersWriteTheFileOnceTheyAreDoneWhenUpdatingAtOnce) {
  auto Store = Open();
  Store->SetUpdateAtOnce(true);
  int Updates = 0;
  Store->SetOnUpdate([&](QObject*) { ++Updates; });
  Store->WriteFont("S", "f", TFont());
  Store->WriteList("S", "L", {"a", "b", "c"});
  Store->WriteList("S", "L", {"a"});
  EXPECT_EQ(Updates, 3);
  auto Reread = Open();
  QStringList Read;
  Reread->ReadList("S", "L", Read);
  EXPECT_EQ(Read, QStringList({"a"}));
}

}  // namespace
