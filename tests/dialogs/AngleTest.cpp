#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <memory>

#include "UpdownNumberEdit.h"
#include "untAngle.h"

namespace {

class AngleTest : public ::testing::Test {
 protected:
  AngleTest() : Dialog(std::make_unique<TfrmAngle>(nullptr)) {
    Dialog->show();
    Dialog->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Dialog.get()));
  }

  // Types Text (with "." as the decimal separator) over the box's whole text.
  void Type(QString Text) {
    Text.replace(u'.', TNumberLocale::System().DecimalSeparator);
    Dialog->edtAngle()->setFocus(Qt::TabFocusReason);
    Dialog->edtAngle()->selectAll();
    QTest::keyClicks(Dialog->edtAngle(), Text);
  }

  std::unique_ptr<TfrmAngle> Dialog;
};

TEST_F(AngleTest, LayoutAndStart) {
  TfrmAngle& d = *Dialog;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("回転角度の指定"));
  EXPECT_EQ(d.size(), QSize(272, 47));
  EXPECT_EQ(d.minimumSize(), d.maximumSize());
  EXPECT_EQ(d.font().pixelSize(), 11);
  EXPECT_EQ(d.edtAngle()->geometry(), QRect(8, 12, 69, 21));
  EXPECT_EQ(d.btnExec()->geometry(), QRect(108, 10, 75, 25));
  EXPECT_EQ(d.btnExec()->text(), QStringLiteral("実行(&R)"));
  EXPECT_TRUE(d.btnExec()->isDefault());
  EXPECT_EQ(d.btnCancel()->geometry(), QRect(188, 10, 75, 25));
  EXPECT_EQ(d.edtAngle()->text(), QStringLiteral("0"));
}

TEST_F(AngleTest, ExecuteWithoutTypingGivesZero) {
  QTest::mouseClick(Dialog->btnExec(), Qt::LeftButton);
  EXPECT_EQ(Dialog->result(), QDialog::Accepted);
  EXPECT_EQ(Dialog->Angle(), 0.0);
}

struct TTyped {
  const char* Typed;
  double Angle;
};

class AngleTypedTest : public AngleTest, public ::testing::WithParamInterface<TTyped> {};

TEST_P(AngleTypedTest, ExecuteGivesTheTypedAngleWithinTheLimits) {
  Type(QString::fromLatin1(GetParam().Typed));
  QTest::mouseClick(Dialog->btnExec(), Qt::LeftButton);
  EXPECT_EQ(Dialog->result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(Dialog->Angle(), GetParam().Angle);
}

TEST_P(AngleTypedTest, EnterGivesTheSameAngle) {
  Type(QString::fromLatin1(GetParam().Typed));
  QTest::keyClick(Dialog->edtAngle(), Qt::Key_Return);
  EXPECT_EQ(Dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(Dialog->isVisible());
  EXPECT_DOUBLE_EQ(Dialog->Angle(), GetParam().Angle);
}

INSTANTIATE_TEST_SUITE_P(Cases, AngleTypedTest,
                         ::testing::Values(TTyped{"-30.5", -30.5}, TTyped{"45", 45},
                                           TTyped{"0.125", 0.125}, TTyped{"360", 360},
                                           TTyped{"400", 360}, TTyped{"-720", -360}));

TEST_F(AngleTest, CancelAndEscEndAsCancel) {
  Type(QStringLiteral("15"));
  QTest::mouseClick(Dialog->btnCancel(), Qt::LeftButton);
  EXPECT_EQ(Dialog->result(), QDialog::Rejected);

  Dialog->setResult(QDialog::Accepted);
  Dialog->show();
  QTest::keyClick(Dialog->edtAngle(), Qt::Key_Escape);
  EXPECT_EQ(Dialog->result(), QDialog::Rejected);
  EXPECT_FALSE(Dialog->isVisible());
}

TEST_F(AngleTest, SpinButtonsStepByOne) {
  TInnerUpdown* updown = Dialog->edtAngle()->Updown();
  QTest::mouseClick(updown, Qt::LeftButton, {},
                    updown->ButtonRect(TUpDownDirection::updDown).center());
  EXPECT_EQ(Dialog->Angle(), -1.0);
}

}  // namespace
