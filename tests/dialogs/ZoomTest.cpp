#include <gtest/gtest.h>

#include <QImage>
#include <QMdiArea>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <functional>
#include <memory>

#include "EditorHarness.h"
#include "UpdownNumberEdit.h"
#include "untEdit.h"
#include "untZoom.h"

namespace {

// A real editor with a picture in a frame, and the dialog aimed at it.
class ZoomTest : public ::testing::Test {
 protected:
  ZoomTest() {
    Area.resize(800, 600);
    Area.show();
    Editor = new TfrmEdit(&Area, Host);
    QImage picture(120, 80, QImage::Format_ARGB32);
    picture.fill(Qt::darkCyan);
    Editor->SetBitmap(picture);
  }

  TfrmZoom& Open(double Rate) {
    Editor->Zoom(TZoomState::zsZoomAs, Rate);
    Dialog = std::make_unique<TfrmZoom>(&Area);
    Dialog->SetTarget(Editor);
    Dialog->show();
    Dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
    return *Dialog;
  }

  void Type(const QString& Keys) {
    // As after a Tab into the box (which selects only when the focus arrives).
    Dialog->edtZoom()->setFocus(Qt::TabFocusReason);
    Dialog->edtZoom()->selectAll();
    QTest::keyClicks(Dialog->edtZoom(), Keys);
  }

  void ClickUpdown(TUpDownDirection Direction) {
    TInnerUpdown* updown = Dialog->edtZoom()->Updown();
    QTest::mouseClick(updown, Qt::LeftButton, {}, updown->ButtonRect(Direction).center());
  }

  double Rate() const { return Editor->ShowRate(); }

  QMdiArea Area;
  TestHost Host;
  TfrmEdit* Editor;
  std::unique_ptr<TfrmZoom> Dialog;
};

TEST_F(ZoomTest, LayoutAndDesignValues) {
  auto d = std::make_unique<TfrmZoom>(&Area);
  EXPECT_EQ(d->windowTitle(), QStringLiteral("ズーム"));
  EXPECT_EQ(d->size(), QSize(257, 91));
  EXPECT_EQ(d->minimumSize(), d->maximumSize());
  EXPECT_EQ(d->font().pixelSize(), 11);
  EXPECT_EQ(d->edtZoom()->geometry(), QRect(12, 12, 53, 21));
  EXPECT_EQ(d->trkZoom()->geometry(), QRect(84, 8, 165, 33));
  EXPECT_EQ(d->btnOk()->geometry(), QRect(40, 56, 75, 25));
  EXPECT_EQ(d->btnCancel()->geometry(), QRect(140, 56, 75, 25));
  EXPECT_TRUE(d->btnOk()->isDefault());
  EXPECT_EQ(d->edtZoom()->text(), QStringLiteral("20"));
  EXPECT_EQ(d->trkZoom()->value(), 20);
  EXPECT_EQ(d->trkZoom()->minimum(), 20);
  EXPECT_EQ(d->trkZoom()->maximum(), 400);
  EXPECT_EQ(d->trkZoom()->pageStep(), 10);
  EXPECT_EQ(d->trkZoom()->tickInterval(), 20);
  EXPECT_EQ(d->Target(), nullptr);
}

struct TOpening {
  const char* Name;
  double Rate;
  const char* Shown;
  double Previewed;  // the editor's rate while the dialog is open
};

class ZoomOpeningTest : public ZoomTest, public ::testing::WithParamInterface<TOpening> {};

TEST_P(ZoomOpeningTest, OpensWithTheEditorsRateInWholePerCent) {
  const TOpening& c = GetParam();
  TfrmZoom& d = Open(c.Rate);
  EXPECT_EQ(d.edtZoom()->text(), QString::fromLatin1(c.Shown));
  EXPECT_EQ(d.trkZoom()->value(), d.ZoomRate());
  EXPECT_DOUBLE_EQ(Rate(), c.Previewed);
  QTest::mouseClick(d.btnCancel(), Qt::LeftButton);
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_EQ(Rate(), c.Rate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoomOpeningTest,
    ::testing::Values(TOpening{"Same", 1.0, "100", 1.0}, TOpening{"Fraction", 0.4537, "45", 0.45},
                      // The box shows its design value 20 already: nothing changes, nothing zooms.
                      TOpening{"BelowMinimum", 0.15, "20", 0.15},
                      TOpening{"AboveMaximum", 5.0, "400", 4.0},
                      // 0.29 * 100 is 28.999... in binary; the editor shows 29 %.
                      TOpening{"BinaryShortfall", 0.29, "29", 0.29},
                      TOpening{"BinaryShortfall57", 0.57, "57", 0.57}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(ZoomTest, OkKeepsWhatWasPreviewed) {
  TfrmZoom& d = Open(0.15);
  QTest::mouseClick(d.btnOk(), Qt::LeftButton);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(Rate(), 0.15);

  TfrmZoom& again = Open(1.0);
  again.trkZoom()->setValue(250);
  EXPECT_DOUBLE_EQ(Rate(), 2.5);
  QTest::mouseClick(again.btnOk(), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(Rate(), 2.5);
}

TEST_F(ZoomTest, TrackBarPreviewsAndEveryCancelRestoresTheSavedRate) {
  const std::vector<std::pair<const char*, std::function<void(TfrmZoom&)>>> ways{
      {"button", [](TfrmZoom& d) { QTest::mouseClick(d.btnCancel(), Qt::LeftButton); }},
      {"Esc", [](TfrmZoom& d) { QTest::keyClick(d.trkZoom(), Qt::Key_Escape); }},
      {"close box", [](TfrmZoom& d) { d.close(); }},
  };
  for (const auto& [name, cancel] : ways) {
    SCOPED_TRACE(name);
    TfrmZoom& d = Open(0.15);
    d.trkZoom()->setFocus();
    d.trkZoom()->setValue(30);
    EXPECT_EQ(d.edtZoom()->text(), QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(Rate(), 0.3);
    QTest::keyClick(d.trkZoom(), Qt::Key_PageUp);
    EXPECT_EQ(d.ZoomRate(), 40);
    EXPECT_DOUBLE_EQ(Rate(), 0.4);
    cancel(d);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Rate(), 0.15);
  }
}

TEST_F(ZoomTest, TypingPassesThroughValuesHeldAtTheMinimum) {
  TfrmZoom& d = Open(1.0);
  const std::vector<std::pair<QChar, double>> steps{{u'1', 0.2}, {u'5', 0.2}, {u'0', 1.5}};
  Dialog->edtZoom()->setFocus(Qt::TabFocusReason);
  for (const auto& [key, rate] : steps) {
    QTest::keyClick(d.edtZoom(), key.toLatin1());
    EXPECT_DOUBLE_EQ(Rate(), rate) << "after " << key.toLatin1();
  }
  EXPECT_EQ(d.trkZoom()->value(), 150);
}

TEST_F(ZoomTest, SpinButtonsStepByTenWithinTheLimits) {
  TfrmZoom& d = Open(1.0);
  ClickUpdown(TUpDownDirection::updUp);
  EXPECT_EQ(d.edtZoom()->text(), QStringLiteral("110"));
  EXPECT_DOUBLE_EQ(Rate(), 1.1);
  QTest::keyClick(d.edtZoom(), Qt::Key_Down);
  EXPECT_DOUBLE_EQ(Rate(), 1.0);

  d.SetZoomRate(400);
  ClickUpdown(TUpDownDirection::updUp);
  EXPECT_EQ(d.ZoomRate(), 400);
  EXPECT_DOUBLE_EQ(Rate(), 4.0);
  d.SetZoomRate(20);
  ClickUpdown(TUpDownDirection::updDown);
  EXPECT_EQ(d.ZoomRate(), 20);
  EXPECT_EQ(d.trkZoom()->value(), 20);
}

TEST_F(ZoomTest, TypedValuesOutsideTheRangeAreHeldAtTheLimits) {
  TfrmZoom& d = Open(1.0);
  Type(QStringLiteral("999"));
  EXPECT_DOUBLE_EQ(Rate(), 4.0);
  Type(QStringLiteral("0"));  // zero is not a zoom
  EXPECT_DOUBLE_EQ(Rate(), 0.2);
  Type(QStringLiteral("1234"));  // at most three digits
  EXPECT_EQ(d.edtZoom()->text().size(), 3);
}

TEST_F(ZoomTest, EnterInTheBoxClosesAsOk) {
  TfrmZoom& d = Open(1.0);
  Type(QStringLiteral("150"));
  QTest::keyClick(d.edtZoom(), Qt::Key_Return);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_FALSE(d.isVisible());
  EXPECT_DOUBLE_EQ(Rate(), 1.5);
}

TEST_F(ZoomTest, EditorClosedWhileOpenIsNoLongerTouched) {
  TfrmZoom& d = Open(0.5);
  delete Editor;
  EXPECT_EQ(d.Target(), nullptr);
  d.trkZoom()->setValue(200);
  QTest::mouseClick(d.btnCancel(), Qt::LeftButton);
  EXPECT_EQ(d.result(), QDialog::Rejected);
}

}  // namespace
