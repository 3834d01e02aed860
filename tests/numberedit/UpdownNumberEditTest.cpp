#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <vector>

#include "UpdownNumberEdit.h"
#include "WidgetTestSupport.h"

namespace {

using enum TUpDownDirection;

struct TUDClick {
  bool AllowChange;
  long double NewValue;
  TUpDownDirection Direction;
  bool operator==(const TUDClick&) const = default;
};

class UpdownNumberEditTest : public ::testing::Test {
 protected:
  UpdownNumberEditTest() {
    edit.SetOnUDClick([this](TUpdownNumberEdit&, bool& allow, long double v, TUpDownDirection d) {
      clicks.push_back({allow, v, d});
      if (veto) allow = false;
      if (allowAll) allow = true;
    });
    edit.SetOnUDChanged([this](TUpdownNumberEdit&) { ++udChanged; });
  }
  // The zoom dialog's field.
  void ZoomField() {
    edit.SetFigure(0);
    edit.SetIncrement(10);
    edit.SetLimit(true);
    edit.SetMax(400);
    edit.SetMin(20);
    edit.SetMaxIntLength(3);
    edit.SetValue(20);
    edit.SetZeroEnabled(false);
  }
  void Click(TUpDownDirection direction) {
    TInnerUpdown* updown = edit.Updown();
    QTest::mouseClick(updown, Qt::LeftButton, {}, updown->ButtonRect(direction).center());
  }

  TEditWindow<TUpdownNumberEdit> w;
  TUpdownNumberEdit& edit = *w.Edit;
  std::vector<TUDClick> clicks;
  int udChanged = 0;
  bool veto = false;
  bool allowAll = false;
};

TEST_F(UpdownNumberEditTest, SpinButtonsSitInsideTheRightEdgeAndTheTextStopsShortOfThem) {
  w.Window.resize(200, 80);
  QTest::qWait(10);
  TInnerUpdown* updown = edit.Updown();
  const int extent = edit.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &edit);
  EXPECT_TRUE(updown->isVisible());
  EXPECT_EQ(updown->width(), extent);
  EXPECT_TRUE(edit.rect().contains(updown->geometry()));
  EXPECT_GT(updown->geometry().right(), edit.width() - 5);
  EXPECT_EQ(edit.textMargins().right(), extent);

  edit.SetOrientation(TUDOrientation::udHorizontal);
  EXPECT_EQ(updown->width(), extent + 10);
  EXPECT_EQ(edit.textMargins().right(), extent + 10);

  edit.SetVisibleUpdown(false);
  EXPECT_FALSE(updown->isVisible());
  EXPECT_EQ(edit.textMargins().right(), 0);  // the text reaches the frame
  edit.SetVisibleUpdown(true);
  EXPECT_TRUE(updown->isVisible());
  EXPECT_EQ(updown->width(), extent + 10);
}

TEST_F(UpdownNumberEditTest, ZoomFieldStopsAtItsLimits) {
  ZoomField();
  Click(updDown);
  EXPECT_EQ(edit.text(), "20");
  EXPECT_EQ(clicks, (std::vector<TUDClick>{{true, 20, updDown}}));
  EXPECT_EQ(udChanged, 1);
  EXPECT_TRUE(edit.isModified());

  edit.SetValue(395);
  Click(updUp);
  EXPECT_EQ(edit.text(), "400");

  clicks.clear();
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.text(), "400");
  EXPECT_EQ(clicks, (std::vector<TUDClick>{{false, 400, updUp}}));  // no change: vetoed already
  EXPECT_EQ(udChanged, 2);  // the arrow keys do not raise OnUDChanged
}

TEST_F(UpdownNumberEditTest, VetoInOnUDClickLeavesEverythingAlone) {
  edit.SetValue(5);
  veto = true;
  Click(updUp);
  QTest::keyClick(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.text(), "5");
  EXPECT_EQ(edit.Value(), 5);
  EXPECT_FALSE(edit.isModified());
  EXPECT_EQ(udChanged, 0);
  EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(UpdownNumberEditTest, ArrowKeysWrapButButtonsStopAtTheLimit) {
  edit.SetLimit(true);
  edit.SetMax(10);
  edit.SetWrap(true);
  edit.SetValue(10);
  Click(updUp);
  EXPECT_EQ(edit.Value(), 10);
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.Value(), 0);
}

TEST_F(UpdownNumberEditTest, AllowingAVetoedArrowStepAssignsTheSameValueAgain) {
  edit.SetLimit(true);
  edit.SetMax(400);
  w.Enter();
  QTest::keyClicks(&edit, "0400");
  allowAll = true;
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_FALSE(clicks.at(0).AllowChange);
  EXPECT_EQ(edit.text(), "400");
}

TEST_F(UpdownNumberEditTest, HiddenButtonsLeaveTheArrowKeysToOnArrowKeyChange) {
  std::vector<TArrowKeyDirection> arrows;
  edit.SetOnArrowKeyChange(
      [&](TNumberEditModel&, TArrowKeyDirection d, long double&) { arrows.push_back(d); });
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_TRUE(arrows.empty());
  EXPECT_EQ(clicks.size(), 1u);
  edit.SetVisibleUpdown(false);
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(arrows, std::vector{TArrowKeyDirection::adUp});
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_EQ(edit.Value(), 2);
}

TEST_F(UpdownNumberEditTest, AButtonClickBringsTheFocusIntoTheEdit) {
  w.Other->setFocus();
  Click(updUp);
  EXPECT_TRUE(edit.hasFocus());
  EXPECT_EQ(edit.text(), "1");
  EXPECT_EQ(edit.selectedText(), "");  // the step replaced the selected text of the entry
}

TEST_F(UpdownNumberEditTest, ReadOnlyIgnoresButtonsButStepsWithArrowKeys) {
  edit.setReadOnly(true);
  Click(updUp);
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_TRUE(clicks.empty());
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.Value(), 1);
}

TEST_F(UpdownNumberEditTest, HoldingAButtonRepeatsUntilReleased) {
  TInnerUpdown* updown = edit.Updown();
  const QPoint up = updown->ButtonRect(updUp).center();
  QTest::mousePress(updown, Qt::LeftButton, {}, up);
  QTRY_VERIFY_WITH_TIMEOUT(edit.Value() >= 3, 2000);
  QTest::mouseRelease(updown, Qt::LeftButton, {}, up);
  const long double released = edit.Value();
  QTest::qWait(350);
  EXPECT_EQ(edit.Value(), released);
  EXPECT_EQ(udChanged, int(released));
}

TEST_F(UpdownNumberEditTest, HorizontalButtonsStepDownOnTheLeft) {
  edit.SetOrientation(TUDOrientation::udHorizontal);
  EXPECT_EQ(edit.Orientation(), TUDOrientation::udHorizontal);
  TInnerUpdown* updown = edit.Updown();
  QTest::mouseClick(updown, Qt::LeftButton, {}, QPoint(2, updown->height() / 2));
  EXPECT_EQ(edit.Value(), -1);
}

TEST_F(UpdownNumberEditTest, ButtonsFollowEnabledAndComeBackWhenDestroyed) {
  edit.setEnabled(false);
  EXPECT_FALSE(edit.Updown()->isEnabled());
  edit.setEnabled(true);
  delete edit.Updown();
  EXPECT_EQ(edit.findChild<TInnerUpdown*>(), nullptr);
  edit.resize(edit.width() + 10, edit.height());
  auto* updown = edit.findChild<TInnerUpdown*>();
  ASSERT_NE(updown, nullptr);
  EXPECT_TRUE(updown->isVisible());
  Click(updUp);
  EXPECT_EQ(edit.Value(), 1);
}

// A dialog like the program's: the field inside a group box, OK the default button.
class TDialog {
 public:
  TDialog() {
    auto* layout = new QVBoxLayout(&Dialog);
    auto* group = new QGroupBox(&Dialog);
    auto* groupLayout = new QVBoxLayout(group);
    Edit = new TUpdownNumberEdit(group);
    groupLayout->addWidget(Edit);
    Ok = new QPushButton(QStringLiteral("OK"), &Dialog);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &Dialog);
    Ok->setDefault(true);
    layout->addWidget(group);
    layout->addWidget(Ok);
    layout->addWidget(cancel);
    QObject::connect(Ok, &QPushButton::clicked, &Dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &Dialog, &QDialog::reject);
    Dialog.open();
    Dialog.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Dialog));
    Edit->setFocus();
  }
  QDialog Dialog;
  TUpdownNumberEdit* Edit;
  QPushButton* Ok;
};

TEST(UpdownNumberEditDialogTest, EnterPressesTheDefaultButton) {
  TDialog d;
  QTest::keyClicks(d.Edit, "42");
  QTest::keyClick(d.Edit, Qt::Key_Return);
  EXPECT_EQ(d.Dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(d.Dialog.isVisible());
  EXPECT_EQ(d.Edit->text(), "42");
}

TEST(UpdownNumberEditDialogTest, EnterWithoutAnEnabledDefaultButtonOnlyReachesOnKeyPress) {
  TDialog d;
  QString keys;
  d.Edit->SetOnKeyPress([&](TNumberEditModel&, QChar& key) { keys += key; });
  d.Ok->setEnabled(false);
  QTest::keyClick(d.Edit, Qt::Key_Enter);
  EXPECT_TRUE(d.Dialog.isVisible());
  EXPECT_EQ(keys, QString(QChar(13)));
  EXPECT_EQ(d.Edit->text(), "0");
}

}  // namespace

namespace {

TEST(UpdownNumberEditDialogTest, EnterSkipsDisabledAndHiddenDefaultButtonsUpTheChain) {
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* inner = new QWidget(&window);
  auto* innerLayout = new QVBoxLayout(inner);
  auto* edit = new TUpdownNumberEdit(inner);
  auto* disabled = new QPushButton(QStringLiteral("A"), inner);
  auto* hidden = new QPushButton(QStringLiteral("B"), inner);
  auto* outer = new QPushButton(QStringLiteral("C"), &window);
  innerLayout->addWidget(edit);
  innerLayout->addWidget(disabled);
  innerLayout->addWidget(hidden);
  layout->addWidget(inner);
  layout->addWidget(outer);
  std::vector<QString> clicked;
  for (QPushButton* b : {disabled, hidden, outer}) {
    b->setDefault(true);
    QObject::connect(b, &QPushButton::clicked, [&clicked, b] { clicked.push_back(b->text()); });
  }
  disabled->setEnabled(false);
  window.show();
  hidden->hide();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(clicked, std::vector<QString>{QStringLiteral("C")});
}

}  // namespace
