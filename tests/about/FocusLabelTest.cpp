#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include "FocusLabel.h"

namespace {

// A link label of 200 × 20 whose short text leaves room beside it, inside a shown window.
class FocusLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FWindow.resize(240, 60);
    FLabel = new TFocusLabel(&FWindow);
    FLabel->setGeometry(10, 10, 200, 20);
    FLabel->setText(QStringLiteral("example.org"));
    FLabel->SetLinkText(QStringLiteral("https://example.org/"));
    FLabel->SetLinking(true);
    FLabel->SetFocusedCursor(Qt::PointingHandCursor);
    FLabel->SetOpener([this](const QString& link) { FOpened.append(link); });
    FWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&FWindow));
    ASSERT_LT(FLabel->TextRect().right() + 20, FLabel->width());
  }

  QPoint OnText() const { return FLabel->TextRect().center(); }
  QPoint BesideText() const { return {FLabel->TextRect().right() + 10, OnText().y()}; }
  void MoveTo(const QPoint& position) {
    QMouseEvent move(QEvent::MouseMove, position, FLabel->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(FLabel, &move);
  }
  void Leave() {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(FLabel, &leave);
  }
  void ClickAt(const QPoint& position) {
    MoveTo(position);
    QTest::mouseClick(FLabel, Qt::LeftButton, {}, position);
  }
  QImage Look() { return FLabel->grab().toImage(); }

  QWidget FWindow;
  TFocusLabel* FLabel = nullptr;
  QStringList FOpened;
};

TEST_F(FocusLabelTest, TheHandCursorShowsOnlyWhileTheMouseIsOverTheText) {
  MoveTo(OnText());
  EXPECT_TRUE(FLabel->MouseOnText());
  EXPECT_EQ(FLabel->cursor().shape(), Qt::PointingHandCursor);
  MoveTo(BesideText());
  EXPECT_FALSE(FLabel->MouseOnText());
  EXPECT_EQ(FLabel->cursor().shape(), Qt::ArrowCursor);
  MoveTo(OnText());
  Leave();
  EXPECT_FALSE(FLabel->MouseOnText());
  EXPECT_EQ(FLabel->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(FocusLabelTest, ACursorSetFromOutsideWaitsUntilTheMouseLeavesTheText) {
  MoveTo(OnText());
  FLabel->setCursor(Qt::CrossCursor);
  EXPECT_EQ(FLabel->cursor().shape(), Qt::PointingHandCursor);
  MoveTo(BesideText());
  EXPECT_EQ(FLabel->cursor().shape(), Qt::CrossCursor);
}

TEST_F(FocusLabelTest, ChangingTheFocusedCursorOverTheTextShowsItAtOnce) {
  MoveTo(OnText());
  FLabel->SetFocusedCursor(Qt::IBeamCursor);
  EXPECT_EQ(FLabel->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(FocusLabelTest, TheFocusedFontShowsOverTheTextWhenFontChangeIsOn) {
  QFont focused = FLabel->font();
  focused.setUnderline(true);
  FLabel->SetFocusedFont(focused);
  FLabel->SetFocusedColor(Qt::blue);
  const QImage plain = Look();
  MoveTo(BesideText());
  EXPECT_EQ(Look(), plain);
  MoveTo(OnText());
  EXPECT_NE(Look(), plain);
  FLabel->SetFontChange(false);
  EXPECT_EQ(Look(), plain);
}

TEST_F(FocusLabelTest, AClickOnTheTextOpensTheLink) {
  ClickAt(OnText());
  EXPECT_EQ(FOpened, QStringList{QStringLiteral("https://example.org/")});
}

TEST_F(FocusLabelTest, AClickBesideTheTextCountsOnlyWithoutAcceptOnText) {
  ClickAt(BesideText());
  EXPECT_TRUE(FOpened.isEmpty());
  FLabel->SetAcceptOnText(false);
  ClickAt(BesideText());
  EXPECT_EQ(FOpened.size(), 1);
}

TEST_F(FocusLabelTest, ALabelThatIsNoLinkOpensNothingAndTakesNoFocus) {
  FLabel->SetLinking(false);
  EXPECT_EQ(FLabel->focusPolicy(), Qt::NoFocus);
  ClickAt(OnText());
  QTest::keyClick(FLabel, Qt::Key_Return);
  EXPECT_TRUE(FOpened.isEmpty());
}

TEST_F(FocusLabelTest, TheLinkHandlerCanCancelTheLink) {
  QObject* sender = nullptr;
  bool cancel = true;
  FLabel->SetOnLink([&](QObject* Sender, bool& Link) {
    sender = Sender;
    if (cancel) Link = false;
  });
  ClickAt(OnText());
  EXPECT_EQ(sender, FLabel);
  EXPECT_TRUE(FOpened.isEmpty());
  cancel = false;
  ClickAt(OnText());
  EXPECT_EQ(FOpened.size(), 1);
}

TEST_F(FocusLabelTest, AnEmptyLinkTextOpensNothing) {
  FLabel->SetLinkText(QString());
  ClickAt(OnText());
  FLabel->ExecuteLink();
  EXPECT_TRUE(FOpened.isEmpty());
}

TEST_F(FocusLabelTest, ALinkTakesTheFocusByTabAndOpensWithEnterOrSpace) {
  auto* before = new QWidget(&FWindow);
  before->setFocusPolicy(Qt::StrongFocus);
  before->show();
  before->setFocus();
  FWindow.activateWindow();
  QTest::keyClick(before, Qt::Key_Tab);
  ASSERT_TRUE(FLabel->hasFocus());
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) QTest::keyClick(FLabel, key);
  EXPECT_EQ(FOpened.size(), 3);
}

TEST_F(FocusLabelTest, TheTextRectangleFollowsTheAlignment) {
  const QSize text = FLabel->TextRect().size();
  FLabel->setAlignment(Qt::AlignRight | Qt::AlignBottom);
  EXPECT_EQ(FLabel->TextRect(), QRect(QPoint(200 - text.width(), 20 - text.height()), text));
  FLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(FLabel->TextRect(),
            QRect(QPoint((200 - text.width()) / 2, (20 - text.height()) / 2), text));
}

}  // namespace
