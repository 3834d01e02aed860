#include <gtest/gtest.h>

#include <QColorDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>

#include "ColorComboBox.h"
#include "ExtIniFile.h"
#include "SystemColors.h"
#include "UpdownNumberEdit.h"
#include "untOption.h"

namespace {

const QString kOptions = QStringLiteral("Options");

// An empty store that never reaches the disk, and the dialog made over it once the test has
// stored what it wants.
class OptionTest : public ::testing::Test {
 protected:
  OptionTest() {
    Store.SetAutoUpdate(false);
    Store.Clear();
    Store.SetModified(false);
  }

  TfrmOption& Open() {
    Dialog = std::make_unique<TfrmOption>(nullptr, Store);
    Dialog->show();
    Dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    return *Dialog;
  }

  // Types Text over the box's whole text, as after a Tab into it.
  void TypeTrans(const QString& Text) {
    Dialog->edtTrans()->setFocus(Qt::TabFocusReason);
    Dialog->edtTrans()->selectAll();
    QTest::keyClicks(Dialog->edtTrans(), Text);
  }

  // The sample as the user sees it, in pbSample's coordinates.
  QImage Sample() const {
    const QImage panel = Dialog->pnlSample()->grab().toImage();
    return panel.copy(Dialog->pbSample()->geometry());
  }

  // A square of the checkerboard at 70 % over the panel's face, with Color over it.
  QRgb Expected(QRgb Square, uint32_t Color) const {
    const QColor face = Dialog->pnlSample()->palette().color(QPalette::Button);
    auto mix = [](double over, double under, double alpha) {
      return over * alpha + under * (1 - alpha);
    };
    const double a = qAlpha(Color) / 255.0;
    auto channel = [&](int square, int faceChannel, int color) {
      return qRound(mix(color, mix(square, faceChannel, 0.7), a));
    };
    return qRgb(channel(qRed(Square), face.red(), qRed(Color)),
                channel(qGreen(Square), face.green(), qGreen(Color)),
                channel(qBlue(Square), face.blue(), qBlue(Color)));
  }

  // The pixel at Pos of pbSample against the square of the checkerboard below it.
  void ExpectSampleAt(QPoint Pos, uint32_t Color) const {
    // The tiles start at the panel's corner, one pixel up and left of pbSample.
    const QPoint onPanel = Pos + Dialog->pbSample()->pos();
    const bool grey = (onPanel.x() % 32 < 16) == (onPanel.y() % 32 < 16);
    const QRgb expected = Expected(grey ? qRgb(127, 127, 127) : qRgb(255, 255, 255), Color);
    const QRgb actual = Sample().pixel(Pos);
    EXPECT_NEAR(qRed(actual), qRed(expected), 2) << Pos.x() << "," << Pos.y();
    EXPECT_NEAR(qGreen(actual), qGreen(expected), 2) << Pos.x() << "," << Pos.y();
    EXPECT_NEAR(qBlue(actual), qBlue(expected), 2) << Pos.x() << "," << Pos.y();
  }
  void ExpectSample(uint32_t Color) const {
    for (QPoint p : {QPoint(4, 4), QPoint(20, 4), QPoint(4, 20), QPoint(20, 20), QPoint(40, 40)})
      ExpectSampleAt(p, Color);
  }

  // Answers the colour chooser that the custom entry opens, once it is up.
  static void AnswerChooser(std::optional<QColor> Choice) {
    QTimer::singleShot(0, [Choice] {
      auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(chooser, nullptr);
      if (!Choice) return chooser->reject();
      chooser->setCurrentColor(*Choice);
      chooser->accept();
    });
  }

  TExtIniFile Store;
  std::unique_ptr<TfrmOption> Dialog;
};

TEST_F(OptionTest, LayoutCaptionsAndFont) {
  TfrmOption& d = Open();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("オプション"));
  EXPECT_EQ(d.size(), QSize(312, 203));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  EXPECT_EQ(d.font().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(d.font().pixelSize(), 11);
  EXPECT_EQ(d.GroupBox1()->geometry(), QRect(3, 3, 306, 50));
  EXPECT_EQ(d.GroupBox2()->geometry(), QRect(3, 59, 306, 90));
  EXPECT_EQ(d.cmbRubber()->geometry(), QRect(56, 20, 161, 22));
  EXPECT_EQ(d.trkTrans()->geometry(), QRect(52, 52, 109, 25));
  EXPECT_EQ(d.edtTrans()->geometry(), QRect(168, 52, 49, 21));
  EXPECT_EQ(d.pbSample()->geometry(), QRect(1, 1, 59, 55));
  EXPECT_EQ(d.btnOk()->text(), QStringLiteral("&OK"));
  EXPECT_TRUE(d.btnOk()->isDefault());
  EXPECT_EQ(d.btnCancel()->text(), QStringLiteral("キャンセル(&C)"));
  EXPECT_EQ(d.cmbBackColor()->itemText(0), QStringLiteral("カスタム..."));
  EXPECT_EQ(d.cmbBackColor()->count(), 21);
  EXPECT_EQ(d.cmbBackColor()->itemText(20), QStringLiteral("MedGray"));
}

TEST_F(OptionTest, NoStoredOptionsGiveYellowBandAndOpaqueWhite) {
  TfrmOption& d = Open();
  EXPECT_EQ(d.cmbRubber()->currentText(), QStringLiteral("Yellow"));
  EXPECT_EQ(d.cmbRubber()->Selected(), 0x0000FFFF);
  EXPECT_EQ(d.cmbBackColor()->currentText(), QStringLiteral("White"));
  EXPECT_EQ(d.edtTrans()->text(), QStringLiteral("255"));
  EXPECT_EQ(d.trkTrans()->value(), d.trkTrans()->maximum());
  EXPECT_EQ(d.SampleColor(), 0xFFFFFFFFu);
  ExpectSample(0xFFFFFFFF);
}

struct TStored {
  const char* Name;
  TColor BackColor;
  int32_t BackAlpha;
  const char* ShownColor;
  const char* ShownAlpha;
  uint32_t Sample;
};

class StoredOptionTest : public OptionTest, public ::testing::WithParamInterface<TStored> {};

TEST_P(StoredOptionTest, DialogOpensWithTheStoredValues) {
  const TStored& c = GetParam();
  Store.WriteColor(kOptions, QStringLiteral("BandColor"), 0x00FF0000);
  Store.WriteColor(kOptions, QStringLiteral("BackColor"), c.BackColor);
  Store.WriteInt(kOptions, QStringLiteral("BackAlpha"), c.BackAlpha);
  TfrmOption& d = Open();
  EXPECT_EQ(d.cmbRubber()->currentText(), QStringLiteral("Blue"));
  EXPECT_EQ(d.cmbBackColor()->currentText(), QString::fromUtf8(c.ShownColor));
  EXPECT_EQ(d.cmbBackColor()->Selected(), c.BackColor);
  EXPECT_EQ(d.edtTrans()->text(), QString::fromUtf8(c.ShownAlpha));
  EXPECT_EQ(d.trkTrans()->value(), d.edtTrans()->AsInteger());
  EXPECT_EQ(d.SampleColor(), c.Sample);
  ExpectSample(c.Sample);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredOptionTest,
    ::testing::Values(TStored{"BlueHalf", 0x00FF0000, 128, "Blue", "128", 0x800000FF},
                      TStored{"WhiteClear", 0x00FFFFFF, 0, "White", "0", 0x00FFFFFF},
                      TStored{"UnlistedIsCustom", 0x00563412, 200, "カスタム...", "200",
                              0xC8123456},
                      // The box holds the stored opacity at its limits.
                      TStored{"AlphaAboveRange", 0x000000FF, 300, "Red", "255", 0xFFFF0000},
                      TStored{"AlphaBelowRange", 0x000000FF, -1, "Red", "0", 0x00FF0000}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(OptionTest, SystemColourIsHeldByTheCustomEntryAndPaintedInItsCurrentValue) {
  const TColor buttonFace = static_cast<TColor>(0x8000000F);
  Store.WriteColor(kOptions, QStringLiteral("BackColor"), buttonFace);
  TfrmOption& d = Open();
  EXPECT_EQ(d.cmbBackColor()->currentIndex(), TColorComboBox::kCustomIndex);
  EXPECT_EQ(d.cmbBackColor()->Selected(), buttonFace);
  EXPECT_EQ(d.SampleColor(), PackBackColor(static_cast<TColor>(ColorToRGB(buttonFace)), 255));
  d.btnOk()->click();
  EXPECT_EQ(Store.ReadColor(kOptions, QStringLiteral("BackColor"), 0), buttonFace);
}

TEST_F(OptionTest, TrackBarAndBoxFollowEachOther) {
  Store.WriteColor(kOptions, QStringLiteral("BackColor"), 0x000000FF);
  TfrmOption& d = Open();

  d.trkTrans()->setFocus();
  QTest::keyClick(d.trkTrans(), Qt::Key_Home);
  EXPECT_EQ(d.edtTrans()->text(), QStringLiteral("0"));
  ExpectSample(0x00FF0000);  // the bare checkerboard

  TypeTrans(QStringLiteral("128"));
  EXPECT_EQ(d.trkTrans()->value(), 128);
  ExpectSample(0x80FF0000);

  QTest::keyClick(d.edtTrans(), Qt::Key_Up);
  EXPECT_EQ(d.trkTrans()->value(), 129);
  d.trkTrans()->setFocus();
  QTest::keyClick(d.trkTrans(), Qt::Key_Right);
  EXPECT_EQ(d.edtTrans()->text(), QStringLiteral("130"));

  TypeTrans(QStringLiteral("999"));
  EXPECT_EQ(d.edtTrans()->AsInteger(), 255);
  EXPECT_EQ(d.trkTrans()->value(), 255);
}

TEST_F(OptionTest, OkWritesTheThreeKeys) {
  TfrmOption& d = Open();
  d.cmbBackColor()->setFocus();
  QTest::keyClicks(d.cmbBackColor(), QStringLiteral("Red"));
  ASSERT_EQ(d.cmbBackColor()->currentText(), QStringLiteral("Red"));
  ExpectSample(0xFFFF0000);
  d.cmbRubber()->setFocus();
  QTest::keyClicks(d.cmbRubber(), QStringLiteral("Lime"));
  TypeTrans(QStringLiteral("64"));

  QTest::mouseClick(d.btnOk(), Qt::LeftButton);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(Store.ReadColor(kOptions, QStringLiteral("BandColor"), -1), 0x0000FF00);
  EXPECT_EQ(Store.ReadColor(kOptions, QStringLiteral("BackColor"), -1), 0x000000FF);
  EXPECT_EQ(Store.ReadInt(kOptions, QStringLiteral("BackAlpha"), -1), 64);
}

TEST_F(OptionTest, OkStoresAnOutOfRangeOpacityBroughtIntoRange) {
  Store.WriteInt(kOptions, QStringLiteral("BackAlpha"), 300);
  Open().btnOk()->click();
  EXPECT_EQ(Store.ReadInt(kOptions, QStringLiteral("BackAlpha"), -1), 255);
}

TEST_F(OptionTest, EnterInTheBoxClosesAsOk) {
  TfrmOption& d = Open();
  TypeTrans(QStringLiteral("77"));
  QTest::keyClick(d.edtTrans(), Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(Store.ReadInt(kOptions, QStringLiteral("BackAlpha"), -1), 77);
}

TEST_F(OptionTest, EveryWayOfCancellingWritesNothing) {
  const std::vector<std::pair<const char*, std::function<void(TfrmOption&)>>> ways{
      {"button", [](TfrmOption& d) { QTest::mouseClick(d.btnCancel(), Qt::LeftButton); }},
      {"Esc", [](TfrmOption& d) { QTest::keyClick(d.edtTrans(), Qt::Key_Escape); }},
      {"close box", [](TfrmOption& d) { d.close(); }},
  };
  for (const auto& [name, cancel] : ways) {
    SCOPED_TRACE(name);
    TfrmOption& d = Open();
    d.cmbRubber()->setFocus();
    QTest::keyClicks(d.cmbRubber(), QStringLiteral("Navy"));
    ASSERT_EQ(d.cmbRubber()->currentText(), QStringLiteral("Navy"));
    TypeTrans(QStringLiteral("10"));
    cancel(d);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(Store.SectionExists(kOptions));
    EXPECT_FALSE(Store.Modified());
  }
}

TEST_F(OptionTest, CustomEntryTakesTheChosenColour) {
  TfrmOption& d = Open();
  d.cmbBackColor()->setFocus();
  AnswerChooser(QColor(0x12, 0x34, 0x56));
  QTest::keyClick(d.cmbBackColor(), Qt::Key_Home);  // to the custom entry
  EXPECT_EQ(d.cmbBackColor()->currentIndex(), TColorComboBox::kCustomIndex);
  EXPECT_EQ(d.cmbBackColor()->Selected(), 0x00563412);
  ExpectSample(0xFF123456);
  d.btnOk()->click();
  EXPECT_EQ(Store.ReadColor(kOptions, QStringLiteral("BackColor"), -1), 0x00563412);
}

TEST_F(OptionTest, CancelledChooserKeepsTheOldSelection) {
  TfrmOption& d = Open();
  d.cmbBackColor()->setFocus();
  AnswerChooser(std::nullopt);
  QTest::keyClick(d.cmbBackColor(), Qt::Key_Home);
  EXPECT_EQ(d.cmbBackColor()->currentText(), QStringLiteral("White"));
  EXPECT_EQ(d.cmbBackColor()->Selected(), 0x00FFFFFF);
}

TEST_F(OptionTest, ChosenListedColourSelectsItsEntry) {
  TfrmOption& d = Open();
  d.cmbBackColor()->setFocus();
  AnswerChooser(QColor(0, 0, 0x80));
  QTest::keyClick(d.cmbBackColor(), Qt::Key_Home);
  EXPECT_EQ(d.cmbBackColor()->currentText(), QStringLiteral("Navy"));
}

TEST(ColorComboBoxTest, ChangeIsRaisedOnceForEachNewColour) {
  TColorComboBox box;
  int changes = 0;
  box.SetOnChange([&](TColorComboBox&) { ++changes; });
  box.SetSelected(0x000000FF);
  box.SetSelected(0x000000FF);
  EXPECT_EQ(changes, 1);
  box.SetSelected(0x00010203);
  box.SetSelected(0x00040506);  // a second custom colour changes the colour, not the entry
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(box.CustomColor(), 0x00040506);
  box.SetSelected(0x00000000);  // black is listed, though the custom entry held black at first
  EXPECT_EQ(box.currentText(), QStringLiteral("Black"));
}

}  // namespace
