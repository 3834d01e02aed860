#include <gtest/gtest.h>

#include <QApplication>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "ToolBarContainer.h"

namespace {

struct TBarSpec {
  const char* Name;
  int Buttons;
  int Separators;
  QRect Bounds;
};

// The program's six bars with their button counts and first-run bounds.
const TBarSpec FirstRunBars[] = {
    {"atbFile", 4, 0, QRect(11, 2, 110, 26)},   {"atbEdit", 7, 2, QRect(134, 2, 207, 26)},
    {"atbShow", 7, 1, QRect(354, 2, 191, 26)},  {"atbRevise", 1, 0, QRect(558, 2, 34, 26)},
    {"atbWindow", 3, 0, QRect(11, 32, 82, 26)}, {"atbHelp", 2, 0, QRect(106, 32, 59, 26)},
};
enum { File, Edit, Show, Revise, Window, Help };

QIcon SquareIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::darkBlue);
  return QIcon(pixmap);
}

class ToolBarContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FContainer = std::make_unique<TToolBarContainer>();
    for (const TBarSpec& spec : FirstRunBars) {
      auto* bar = new QToolBar(QString::fromLatin1(spec.Name));
      for (int i = 0; i < spec.Buttons; ++i) {
        if (i > 0 && i <= spec.Separators) bar->addSeparator();
        bar->addAction(SquareIcon(), QStringLiteral("command %1").arg(i));
      }
      FContainer->AddBar(bar, spec.Bounds);
    }
    FContainer->resize(800, FContainer->height());
    FContainer->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FContainer.get()));
  }

  // A point on the grip just left of the bar.
  QPoint GripOf(int index) const {
    const QRect bounds = FContainer->BarBounds(index);
    return QPoint(bounds.left() - TToolBarContainer::GripWidth / 2, bounds.center().y());
  }

  void Drag(int index, const QPoint& to) {
    const QPoint from = GripOf(index);
    QTest::mousePress(FContainer.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(FContainer.get(), (from + to) / 2);
    QTest::mouseMove(FContainer.get(), to);
    QTest::mouseRelease(FContainer.get(), Qt::LeftButton, {}, to);
  }

  // Every bar sits in a row, keeps clear of its neighbours' grips, shows where it is reported, and
  // the container is exactly as high as the used rows.
  void ExpectSoundLayout() const {
    int rows = 0;
    for (int i = 0; i < FContainer->BarCount(); ++i) {
      const QRect bounds = FContainer->BarBounds(i);
      SCOPED_TRACE(FirstRunBars[i].Name);
      EXPECT_EQ((bounds.top() - TToolBarContainer::BarTop) % TToolBarContainer::RowHeight, 0);
      EXPECT_EQ(bounds.height(), TToolBarContainer::BarHeight);
      EXPECT_GE(bounds.left(), TToolBarContainer::GripWidth);
      EXPECT_EQ(FContainer->Bar(i)->geometry(), bounds);
      rows = std::max(rows, bounds.top() / TToolBarContainer::RowHeight + 1);
      const QRect band = bounds.adjusted(-TToolBarContainer::GripWidth, 0, 0, 0);
      for (int j = 0; j < FContainer->BarCount(); ++j) {
        if (j == i) continue;
        EXPECT_FALSE(band.intersects(FContainer->BarBounds(j))) << FirstRunBars[j].Name;
      }
    }
    EXPECT_EQ(FContainer->height(), rows * TToolBarContainer::RowHeight);
    EXPECT_EQ(FContainer->sizeHint().height(), FContainer->height());
  }

  std::unique_ptr<TToolBarContainer> FContainer;
};

TEST_F(ToolBarContainerTest, FirstRunBoundsGiveTwoRows) {
  ASSERT_EQ(FContainer->BarCount(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(FContainer->BarBounds(i), FirstRunBars[i].Bounds) << FirstRunBars[i].Name;
    EXPECT_EQ(FContainer->Bar(i)->windowTitle(), QString::fromLatin1(FirstRunBars[i].Name));
  }
  EXPECT_EQ(FContainer->height(), 60);
  EXPECT_EQ(FContainer->Bar(6), nullptr);
  EXPECT_EQ(FContainer->BarBounds(-1), QRect());
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, BarDraggedFromSecondRowToFirstStaysThere) {
  QSignalSpy changed(FContainer.get(), &TToolBarContainer::LayoutChanged);
  const int dx = 620 - FirstRunBars[Help].Bounds.left();
  Drag(Help, GripOf(Help) + QPoint(dx, -30));

  EXPECT_EQ(FContainer->BarBounds(Help), QRect(620, 2, 59, 26));
  EXPECT_EQ(FContainer->BarBounds(Window), FirstRunBars[Window].Bounds);
  EXPECT_EQ(FContainer->height(), 60);
  EXPECT_EQ(changed.count(), 1);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, DragWithinRowMovesBarAlongIt) {
  Drag(Window, GripOf(Window) + QPoint(200, 0));
  EXPECT_EQ(FContainer->BarBounds(Window), QRect(211, 32, 82, 26));
  EXPECT_EQ(FContainer->BarBounds(Help), FirstRunBars[Help].Bounds);  // now in front of it
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, BarsPushedDuringDragComeBackWhenItMovesOn) {
  const QPoint from = GripOf(Revise);
  QTest::mousePress(FContainer.get(), Qt::LeftButton, {}, from);
  QTest::mouseMove(FContainer.get(), QPoint(2, from.y()));  // in front of every bar of row 0
  EXPECT_EQ(FContainer->BarBounds(Revise).left(), 11);
  EXPECT_GT(FContainer->BarBounds(File).left(), 11);
  const QPoint to(400, 45);  // then on to the end of row 1
  QTest::mouseMove(FContainer.get(), to);
  QTest::mouseRelease(FContainer.get(), Qt::LeftButton, {}, to);

  for (int i : {File, Edit, Show, Window, Help}) {
    EXPECT_EQ(FContainer->BarBounds(i), FirstRunBars[i].Bounds) << FirstRunBars[i].Name;
  }
  EXPECT_EQ(FContainer->BarBounds(Revise).top(), 32);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, DragBelowLastRowOpensNewRow) {
  QSignalSpy changed(FContainer.get(), &TToolBarContainer::LayoutChanged);
  Drag(Revise, QPoint(GripOf(Revise).x(), 75));
  EXPECT_EQ(FContainer->BarBounds(Revise), QRect(558, 62, 34, 26));
  EXPECT_EQ(FContainer->height(), 90);
  EXPECT_EQ(changed.count(), 1);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, DragFarBelowOpensOnlyOneNewRow) {
  Drag(Revise, QPoint(GripOf(Revise).x(), 500));
  EXPECT_EQ(FContainer->BarBounds(Revise).top(), 62);
  EXPECT_EQ(FContainer->height(), 90);
}

TEST_F(ToolBarContainerTest, PressOutsideGripsMovesNothing) {
  QSignalSpy changed(FContainer.get(), &TToolBarContainer::LayoutChanged);
  const QPoint empty(700, 45);
  QTest::mousePress(FContainer.get(), Qt::LeftButton, {}, empty);
  QTest::mouseMove(FContainer.get(), QPoint(20, 15));
  QTest::mouseRelease(FContainer.get(), Qt::LeftButton, {}, QPoint(20, 15));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(FContainer->BarBounds(i), FirstRunBars[i].Bounds);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(ToolBarContainerTest, DragBackToStartReportsNoChange) {
  QSignalSpy changed(FContainer.get(), &TToolBarContainer::LayoutChanged);
  const QPoint from = GripOf(Help);
  QTest::mousePress(FContainer.get(), Qt::LeftButton, {}, from);
  QTest::mouseMove(FContainer.get(), from + QPoint(100, -30));
  QTest::mouseRelease(FContainer.get(), Qt::LeftButton, {}, from);
  EXPECT_EQ(FContainer->BarBounds(Help), FirstRunBars[Help].Bounds);
  EXPECT_EQ(changed.count(), 0);
}

struct TPlacementCase {
  const char* Name;
  int Bar;
  QRect Requested;
  QRect Expected;
  int Height;
};

void PrintTo(const TPlacementCase& c, std::ostream* os) { *os << c.Name; }

class ToolBarPlacementTest : public ToolBarContainerTest,
                             public ::testing::WithParamInterface<TPlacementCase> {};

TEST_P(ToolBarPlacementTest, SetBarBoundsPlacesBarInItsRow) {
  const TPlacementCase& c = GetParam();
  QSignalSpy changed(FContainer.get(), &TToolBarContainer::LayoutChanged);
  FContainer->SetBarBounds(c.Bar, c.Requested);
  EXPECT_EQ(FContainer->BarBounds(c.Bar), c.Expected);
  EXPECT_EQ(FContainer->height(), c.Height);
  EXPECT_EQ(changed.count(), 1);
  ExpectSoundLayout();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolBarPlacementTest,
    ::testing::Values(TPlacementCase{"BehindLastOfFirstRow", Help, QRect(620, 2, 59, 26),
                                     QRect(620, 2, 59, 26), 60},
                      TPlacementCase{"TopNormalisedToRow", Help, QRect(620, 17, 59, 20),
                                     QRect(620, 2, 59, 26), 60},
                      TPlacementCase{"TooCloseBehindIsMovedClear", Help, QRect(593, 2, 59, 26),
                                     QRect(592 + 2 + 11, 2, 59, 26), 60},
                      TPlacementCase{"OverAnotherGoesBehindIt", Help, QRect(140, 2, 59, 26),
                                     QRect(354, 2, 59, 26), 60},
                      TPlacementCase{"NegativeLeftGoesToRowStart", Help, QRect(-40, 32, 59, 26),
                                     QRect(11, 32, 59, 26), 60},
                      TPlacementCase{"WiderThanNeededKeepsWidth", Help, QRect(106, 32, 150, 26),
                                     QRect(106, 32, 150, 26), 60},
                      TPlacementCase{"NextRowIsNewRow", Revise, QRect(11, 62, 34, 26),
                                     QRect(11, 62, 34, 26), 90},
                      TPlacementCase{"RowFarBelowClosesUp", Revise, QRect(11, 302, 34, 26),
                                     QRect(11, 62, 34, 26), 90},
                      TPlacementCase{"NegativeTopIsFirstRow", Help, QRect(620, -50, 59, 26),
                                     QRect(620, 2, 59, 26), 60}),
    [](const ::testing::TestParamInfo<TPlacementCase>& info) {
      return std::string(info.param.Name);
    });

TEST_F(ToolBarContainerTest, BarPlacedInFrontPushesLaterOnesRight) {
  FContainer->SetBarBounds(Help, QRect(100, 2, 59, 26));
  EXPECT_EQ(FContainer->BarBounds(Help).left(), 134);
  EXPECT_EQ(FContainer->BarBounds(Edit).left(), 134 + 59 + 13);
  EXPECT_EQ(FContainer->BarBounds(Show).left(), 134 + 59 + 13 + 207 + 13);
  EXPECT_EQ(FContainer->BarBounds(Revise).left(), 134 + 59 + 13 + 207 + 13 + 191 + 13);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, EqualLeftsAreResolvedWithoutOverlap) {
  FContainer->SetBarBounds(Window, QRect(134, 2, 82, 26));
  FContainer->SetBarBounds(Help, QRect(134, 2, 59, 26));
  // The bar placed last takes the place; the others follow it.
  EXPECT_EQ(FContainer->BarBounds(Help).left(), 134);
  EXPECT_EQ(FContainer->BarBounds(Window).left(), 134 + 59 + 13);
  EXPECT_EQ(FContainer->height(), 30);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, EmptiedRowClosesUp) {
  FContainer->SetBarBounds(Window, QRect(620, 2, 82, 26));
  FContainer->SetBarBounds(Help, QRect(720, 2, 59, 26));
  EXPECT_EQ(FContainer->height(), 30);
  EXPECT_EQ(FContainer->sizeHint(), QSize(720 + 59 + 2, 30));
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, NarrowStoredWidthKeepsNaturalWidth) {
  const int natural = FContainer->Bar(Edit)->sizeHint().width();
  FContainer->SetBarBounds(Edit, QRect(134, 2, 10, 26));
  EXPECT_EQ(FContainer->BarBounds(Edit).width(), std::max(natural, 10));
  EXPECT_GT(FContainer->BarBounds(Edit).width(), 10);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, UnchangedBoundsReportNoChange) {
  QSignalSpy changed(FContainer.get(), &TToolBarContainer::LayoutChanged);
  FContainer->SetBarBounds(Help, FirstRunBars[Help].Bounds);
  FContainer->SetBarBounds(7, QRect(0, 0, 10, 10));
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(ToolBarContainerTest, BarGrowingWithNewButtonsPushesNeighbours) {
  QToolBar* bar = FContainer->Bar(File);
  for (int i = 0; i < 6; ++i) bar->addAction(SquareIcon(), QStringLiteral("extra %1").arg(i));
  QTRY_VERIFY(FContainer->BarBounds(File).width() > 110);
  EXPECT_EQ(FContainer->BarBounds(File).width(), bar->sizeHint().width());
  EXPECT_GT(FContainer->BarBounds(Edit).left(), 134);
  ExpectSoundLayout();
}

TEST_F(ToolBarContainerTest, BarsShowImagesOnlyInTheirFont) {
  QToolBar* bar = FContainer->Bar(Edit);
  EXPECT_EQ(bar->toolButtonStyle(), Qt::ToolButtonIconOnly);
  EXPECT_EQ(bar->iconSize(), QSize(16, 16));
  EXPECT_EQ(bar->font().pixelSize(), 11);
  EXPECT_EQ(bar->font().family(), QStringLiteral("Tahoma"));
}

}  // namespace
