#include <QMenu>

#include "EditorHarness.h"

namespace {

class RotationTest : public EditorTest {
 protected:
  TfrmEdit* Revising(const QImage& Image) {
    TfrmEdit* editor = NewEditor(Image);
    editor->Zoom(TZoomState::zsZoomAs, 1.0);
    editor->SetEditMode(TEditMode::emRevise);
    editor->SetOnSelect([this](TfrmEdit*) { ++Selects; });
    return editor;
  }
  static void Click(TfrmEdit* Editor, QPoint P) {
    QTest::mousePress(Editor->pbxEdit(), Qt::LeftButton, {}, P);
    QTest::mouseRelease(Editor->pbxEdit(), Qt::LeftButton, {}, P);
  }
  int Selects = 0;
};

TEST_F(RotationTest, TwoClicksOfferFourTurnsAndTheChosenOneTurnsTheImage) {
  TfrmEdit* editor = Revising(Pattern(640, 480));
  // QTest takes the point (0, 0) for "the middle of the widget": the same line one pixel lower.
  Click(editor, QPoint(1, 1));
  EXPECT_FALSE(editor->Selected());
  EXPECT_FALSE(editor->ppmRotate()->isVisible());
  Click(editor, QPoint(101, 11));
  ASSERT_TRUE(editor->Selected());
  EXPECT_TRUE(editor->ppmRotate()->isVisible());
  EXPECT_EQ(editor->pmitLeftHorz()->text(), "水平(5.7°)(&H)");
  EXPECT_EQ(editor->pmitLeftVert()->text(), "垂直(95.7°)(&V)");
  EXPECT_EQ(editor->pmitRightHorz()->text(), "水平(174.3°)(&H)");
  EXPECT_EQ(editor->pmitRightVert()->text(), "垂直(84.3°)(&V)");

  editor->pmitLeftHorz()->trigger();
  editor->ppmRotate()->hide();
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(editor->Bitmap()->Width(), 685);
  EXPECT_EQ(editor->Bitmap()->Height(), 541);
  EXPECT_EQ(editor->StatusText(2), "685×541");
  EXPECT_EQ(editor->pbxEdit()->size(), QSize(685, 541)) << "re-zoomed at the same rate";
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->UndoStack().Count(), 1);
  EXPECT_EQ(Host.UndoChangedCalls, 1);
}

TEST_F(RotationTest, ClosingThePopupWithoutAChoiceLeavesTheLineMarked) {
  TfrmEdit* editor = Revising(Pattern(200, 100));
  Click(editor, QPoint(10, 10));
  Click(editor, QPoint(90, 30));
  editor->ppmRotate()->hide();
  EXPECT_TRUE(editor->Selected());
  EXPECT_TRUE(editor->CanUndo());
  const int before = Selects;
  editor->pmitRotateCancel()->trigger();
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(Selects, before + 1);
  EXPECT_EQ(editor->UndoStack().Count(), 0);
}

TEST_F(RotationTest, ASecondClickOnTheFirstPointMarksNothingAndTheNextPairCompletesALine) {
  TfrmEdit* editor = Revising(Pattern(200, 100));
  Click(editor, QPoint(20, 20));
  Click(editor, QPoint(20, 20));
  EXPECT_FALSE(editor->Selected());
  EXPECT_FALSE(editor->ppmRotate()->isVisible());
  Click(editor, QPoint(30, 40));
  EXPECT_FALSE(editor->Selected()) << "the next click starts a new line";
  Click(editor, QPoint(80, 40));
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->Points().P1, (TPoint{30, 40}));
  EXPECT_EQ(editor->Points().P2, (TPoint{80, 40}));
  editor->ppmRotate()->hide();
}

TEST_F(RotationTest, OnlyAPlainLeftPressMarks) {
  TfrmEdit* editor = Revising(Pattern(200, 100));
  editor->pbxEditMouseDown(Qt::RightButton, Qt::RightButton, 5, 5);
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton | Qt::RightButton, 5, 5);
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton | Qt::MiddleButton, 5, 5);
  EXPECT_EQ(Selects, 0);
  EXPECT_EQ(editor->StatusText(3), "");
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, 5, 5);
  EXPECT_EQ(Selects, 1);
  EXPECT_EQ(editor->StatusText(3), "(5, 5)-(5, 5)");
}

TEST_F(RotationTest, SelectModeDragsARectangleDrawnInTheBandColour) {
  Host.Band = 0x000000FF;  // red, as 0x00BBGGRR
  QImage white(100, 60, QImage::Format_RGB32);
  white.fill(Qt::white);
  TfrmEdit* editor = NewEditor(white);
  editor->Zoom(TZoomState::zsZoomAs, 1.0);
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, 10, 10);
  editor->pbxEditMouseMove(50, 40);
  EXPECT_EQ(editor->StatusText(3), "(10, 10)-(50, 40)");
  editor->pbxEditMouseUp(Qt::LeftButton, 50, 40);
  EXPECT_TRUE(editor->Selected());
  EXPECT_EQ(editor->StatusText(3), "");
  const QImage view = editor->pbxEdit()->grab().toImage();
  EXPECT_EQ(view.pixel(10, 25), qRgb(255, 0, 0));
  EXPECT_EQ(view.pixel(30, 10), qRgb(255, 0, 0));
  EXPECT_EQ(view.pixel(30, 25), qRgb(255, 255, 255)) << "an outline, not a filled box";

  // A new press first clears the old rectangle.
  int selectsSeen = 0;
  editor->SetOnSelect([&](TfrmEdit* e) {
    ++selectsSeen;
    EXPECT_FALSE(e->Selected());
  });
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, 70, 20);
  EXPECT_EQ(selectsSeen, 1);
}

TEST_F(RotationTest, UndoRemovesTheMarkFirstThenTheLastSnapshotAtTheSameRate) {
  TfrmEdit* editor = NewEditor(Pattern(100, 50));
  editor->SetModified(false);
  EXPECT_FALSE(editor->CanUndo());
  editor->Rotate(90);
  editor->Zoom(TZoomState::zsZoomAs, 2.0);
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, 2, 2);
  editor->pbxEditMouseUp(Qt::LeftButton, 40, 40);
  ASSERT_TRUE(editor->Selected());

  editor->Undo();
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(editor->Bitmap()->Width(), 50) << "the first undo only removes the mark";
  editor->Undo();
  EXPECT_EQ(editor->Bitmap()->Width(), 100);
  EXPECT_EQ(editor->ShowRate(), 2.0);
  EXPECT_EQ(editor->pbxEdit()->size(), QSize(200, 100));
  EXPECT_EQ(editor->StatusText(2), "100×50");
  EXPECT_TRUE(editor->Modified()) << "undo leaves Modified as it was";
  EXPECT_FALSE(editor->CanUndo());
}

struct TurnCase {
  const char* Name;
  QSize Size;
  double Angle;
  QSize Canvas;
  bool CornersShowBackground;
};

class TurnSizeTest : public EditorTest, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(TurnSizeTest, CanvasIsJustLargeEnough) {
  const TurnCase& c = GetParam();
  Host.Back = 0xFF00FF00;
  QImage red(c.Size, QImage::Format_ARGB32);
  red.fill(0xFFFF0000);
  TfrmEdit* editor = NewEditor(red);
  editor->SetModified(false);
  editor->Rotate(c.Angle);
  const QImage& image = editor->Bitmap()->Image();
  EXPECT_EQ(image.size(), c.Canvas);
  EXPECT_EQ(image.format(), QImage::Format_ARGB32);
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->UndoStack().Count(), 1);
  const QRgb corner = image.pixel(0, 0);
  if (c.CornersShowBackground)
    EXPECT_EQ(corner, 0xFF00FF00u);
  else
    EXPECT_EQ(corner, 0xFFFF0000u);
  EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), 0xFFFF0000u);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, TurnSizeTest,
    ::testing::Values(TurnCase{"QuarterClockwise", {100, 50}, 90, {50, 100}, false},
                      TurnCase{"QuarterCounter", {100, 50}, -90, {50, 100}, false},
                      TurnCase{"Diagonal", {100, 100}, 45, {141, 141}, true},
                      TurnCase{"ThirtyOdd", {101, 51}, 30, {113, 95}, true},
                      TurnCase{"None", {37, 23}, 0, {37, 23}, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RotationTest, BackgroundOpacityReachesTheCorners) {
  for (uint32_t back : {0x00FFFFFFu, 0xFF123456u}) {
    Host.Back = back;
    TfrmEdit* editor = NewEditor(Pattern(100, 100));
    editor->Rotate(45);
    const QRgb corner = editor->Bitmap()->Image().pixel(0, 0);
    EXPECT_EQ(qAlpha(corner), qAlpha(back));
    if (qAlpha(back) == 255) {
      EXPECT_EQ(corner, back);
    }
  }
}

TEST_F(RotationTest, WithoutMemoryForTheCanvasNothingChanges) {
  TfrmEdit* editor = NewEditor(Pattern(300, 200));
  editor->SetModified(false);
  const QImage before = editor->Bitmap()->Image().copy();
  // Room for the picture that is there, not for a turned canvas as well.
  imaging::SetPixelMemoryLimit(300 * 200 * 4 + 1000);
  EXPECT_ANY_THROW(editor->Rotate(10));
  imaging::SetPixelMemoryLimit(0);
  ASSERT_NE(editor->Bitmap(), nullptr);
  EXPECT_EQ(editor->Bitmap()->Image(), before);
  EXPECT_EQ(editor->UndoStack().Count(), 0);
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(Host.UndoChangedCalls, 0);
}

}  // namespace

namespace {

TEST_F(RotationTest, WithoutMemoryForTheSnapshotNothingChanges) {
  // A 24-bit picture needs a 32-bit copy for its snapshot, made after the canvas.
  QImage rgb(300, 200, QImage::Format_RGB888);
  rgb.fill(qRgb(20, 40, 60));
  TfrmEdit* editor = NewEditor(rgb);
  editor->SetModified(false);
  imaging::SetPixelMemoryLimit(300 * 200 * 3 + 300 * 200 * 4 + 4096);
  EXPECT_ANY_THROW(editor->Rotate(0));
  EXPECT_ANY_THROW(editor->Mirror(TMirrorMode::mmHorizontal));
  imaging::SetPixelMemoryLimit(0);
  ASSERT_NE(editor->Bitmap(), nullptr);
  EXPECT_EQ(editor->Bitmap()->PixelFormat(), QImage::Format_RGB888);
  EXPECT_EQ(editor->UndoStack().Count(), 0);
  EXPECT_FALSE(editor->Modified());
  editor->Rotate(0);
  EXPECT_EQ(editor->UndoStack().Count(), 1) << "with memory again the edit goes through";
}

}  // namespace
