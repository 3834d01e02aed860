#include <QDir>
#include <QFile>

#include "ExtIniFile.h"
#include "MainHarness.h"
#include "SpecialFolders.h"
#include "ToolBarContainer.h"

namespace {

using C = TCommand;

class PreferencesTest : public MainTest {
 protected:
  static QString SettingsFile() {
    return SpecialFolders::DocumentsFolder() + QStringLiteral("/Levelora/Levelora.ini");
  }
  static void Store(const QByteArray& Text) {
    QDir().mkpath(QFileInfo(SettingsFile()).path());
    QFile file(SettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Text);
  }
  static QByteArray Stored() {
    QFile file(SettingsFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

TEST_F(PreferencesTest, WithoutASettingsFileEverythingHasItsDesignValue) {
  QFile::remove(SettingsFile());
  TfrmMain& main = Start();
  EXPECT_EQ(main.BackColor(), 0xFFFFFFFFu);
  EXPECT_EQ(main.BandColor(), 0x0000FFFFu);
  EXPECT_TRUE(Act(C::actLoupe)->isChecked());
  EXPECT_EQ(main.ctlbMain()->BarBounds(0), QRect(11, 2, 110, 26));
  EXPECT_EQ(main.ctlbMain()->BarBounds(5), QRect(106, 32, 59, 26));
  EXPECT_EQ(main.ctlbMain()->height(), 60);
}

struct OptionsCase {
  const char* Name;
  const char* Options;
  uint32_t BackColor;
};

class OptionsTest : public PreferencesTest, public ::testing::WithParamInterface<OptionsCase> {};

TEST_P(OptionsTest, BackgroundIsPackedFromColourAndOpacity) {
  Store(QByteArray("[Options]\r\n") + GetParam().Options);
  EXPECT_EQ(Start().BackColor(), GetParam().BackColor);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, OptionsTest,
    ::testing::Values(OptionsCase{"TransparentWhite", "BackColor=$00FFFFFF\r\nBackAlpha=0\r\n",
                                  0x00FFFFFFu},
                      OptionsCase{"HalfBlue", "BackColor=$00FF0000\r\nBackAlpha=128\r\n",
                                  0x800000FFu},
                      OptionsCase{"OpacityKeepsItsLowByte", "BackAlpha=300\r\n", 0x2CFFFFFFu},
                      OptionsCase{"NegativeOpacity", "BackAlpha=-1\r\n", 0xFFFFFFFFu},
                      OptionsCase{"UnreadableNumberGivesTheDefault", "BackAlpha=lots\r\n",
                                  0xFFFFFFFFu}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PreferencesTest, BandColourAndLoupeStateAreReadAsStored) {
  Store("[Options]\r\nBandColor=$000000FF\r\n[Forms]\r\nLoupe=0\r\n");
  TfrmMain& main = Start();
  EXPECT_EQ(main.BandColor(), 0x000000FFu);
  EXPECT_FALSE(Act(C::actLoupe)->isChecked());
}

TEST_F(PreferencesTest, AMovedToolBarAndThePlacementComeBackAfterARestart) {
  QFile::remove(SettingsFile());
  {
    TfrmMain& main = Start();
    main.ctlbMain()->SetBarBounds(5, QRect(620, 2, 59, 26));
    main.setGeometry(QRect(40, 50, 700, 500));
    Main.reset();
  }
  const QByteArray stored = Stored();
  EXPECT_TRUE(stored.contains("X.5=620")) << stored.toStdString();
  EXPECT_TRUE(stored.contains("Y.5=2"));
  EXPECT_TRUE(stored.contains("Loupe=1"));
  TfrmMain& again = Start();
  EXPECT_EQ(again.ctlbMain()->BarBounds(5).topLeft(), QPoint(620, 2));
  EXPECT_EQ(again.ctlbMain()->BarBounds(4).topLeft(), QPoint(11, 32)) << "atbWindow stays below";
  EXPECT_EQ(again.size(), QSize(700, 500));
}

TEST_F(PreferencesTest, ACancelledExitWritesNothing) {
  Store("[Options]\r\nBackAlpha=10\r\n");
  Start();
  Main->OpenBitmap(QImage(8, 8, QImage::Format_ARGB32));
  Idle();
  Answer("キャンセル");
  Trigger(C::actExit);
  EXPECT_EQ(Stored(), "[Options]\r\nBackAlpha=10\r\n");
  Active()->SetModified(false);
}

}  // namespace
