#include <QClipboard>
#include <QImageReader>
#include <QMimeData>

#include "MainHarness.h"

namespace {

using C = TCommand;

// 7 x 3 with a different colour in every pixel, so a wrong axis or an off-by-one shows.
QImage Marked() {
  QImage image(7, 3, QImage::Format_ARGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) image.setPixel(x, y, qRgb(x * 36, y * 100, 255 - x * 30));
  return image;
}

class EditCommandsTest : public MainTest {
 protected:
  TfrmEdit* Open(const QImage& Image) {
    Main->OpenBitmap(Image);
    Idle();
    Active()->Zoom(TZoomState::zsZoomAs, 1.0);
    return Active();
  }
  static void Mark(TfrmEdit* Editor, QPoint From, QPoint To) {
    Editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, From.x(), From.y());
    Editor->pbxEditMouseMove(To.x(), To.y());
    Editor->pbxEditMouseUp(Qt::LeftButton, To.x(), To.y());
  }
};

TEST_F(EditCommandsTest, TrimKeepsTheMarkedColumnsAndRowsAndUndoesInOneStep) {
  Start();
  QImage image(40, 30, QImage::Format_ARGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) image.setPixel(x, y, qRgb(x, y, 7));
  TfrmEdit* editor = Open(image);
  Mark(editor, QPoint(30, 5), QPoint(10, 20));
  Trigger(C::actTrim);
  const QImage& trimmed = editor->Bitmap()->Image();
  ASSERT_EQ(trimmed.size(), QSize(20, 15));
  EXPECT_EQ(trimmed.pixel(0, 0), qRgb(10, 5, 7));
  EXPECT_EQ(trimmed.pixel(19, 14), qRgb(29, 19, 7));
  EXPECT_FALSE(editor->Selected());
  EXPECT_EQ(editor->StatusText(2), "20×15");
  EXPECT_TRUE(Act(C::actUndo)->isEnabled());
  Trigger(C::actUndo);
  EXPECT_EQ(editor->Bitmap()->Image(), image);
}

TEST_F(EditCommandsTest, TrimBeyondThePictureKeepsWhatLiesOnItAndRefusesNothing) {
  Start();
  TfrmEdit* editor = Open(Marked());
  editor->Zoom(TZoomState::zsZoomAs, 2.0);
  Mark(editor, QPoint(8, 2), QPoint(40, 20));  // image (4,1)-(20,10)
  Trigger(C::actTrim);
  EXPECT_EQ(editor->Bitmap()->Image().size(), QSize(3, 2));
  EXPECT_EQ(editor->Bitmap()->Image().pixel(0, 0), Marked().pixel(4, 1));

  const int snapshots = static_cast<int>(editor->UndoStack().Count());
  Mark(editor, QPoint(-40, -40), QPoint(-10, -20));
  editor->DoTrim();
  EXPECT_EQ(editor->Bitmap()->Image().size(), QSize(3, 2)) << "nothing to trim to";
  EXPECT_EQ(editor->UndoStack().Count(), snapshots);
}

TEST_F(EditCommandsTest, MirrorAndFlipMovePixelsExactly) {
  Start();
  TfrmEdit* editor = Open(Marked());
  Trigger(C::actMirror);
  const QImage source = Marked();
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x)
      ASSERT_EQ(editor->Bitmap()->Image().pixel(6 - x, y), source.pixel(x, y));
  Trigger(C::actMirror);
  Trigger(C::actFlip);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x)
      ASSERT_EQ(editor->Bitmap()->Image().pixel(x, 2 - y), source.pixel(x, y));
  EXPECT_EQ(editor->Bitmap()->PixelFormat(), QImage::Format_ARGB32);
  EXPECT_EQ(editor->UndoStack().Count(), 3);
}

TEST_F(EditCommandsTest, HalfTransparentPixelsMirrorOntoTheBackground) {
  Start();
  QImage half(4, 2, QImage::Format_ARGB32);
  half.fill(qRgba(0, 0, 0, 128));
  TfrmEdit* editor = Open(half);
  ASSERT_EQ(Main->BackColor(), 0xFFFFFFFFu);
  Trigger(C::actMirror);
  const QRgb p = editor->Bitmap()->Image().pixel(1, 1);
  EXPECT_EQ(qAlpha(p), 255);
  EXPECT_NEAR(qRed(p), 127, 2);
}

TEST_F(EditCommandsTest, CopyAndPasteCarryTheMarkOrTheWholePicture) {
  Start();
  QImage image(40, 30, QImage::Format_ARGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) image.setPixel(x, y, qRgb(x * 5, y * 7, 33));
  TfrmEdit* editor = Open(image);
  Mark(editor, QPoint(10, 5), QPoint(30, 20));
  Trigger(C::actCopy);
  QImage copied = QApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), QSize(20, 15));
  EXPECT_EQ(copied.pixel(0, 0), image.pixel(10, 5));
  EXPECT_TRUE(editor->Selected()) << "copying leaves the mark";

  Trigger(C::actPaste);
  TfrmEdit* pasted = Active();
  ASSERT_NE(pasted, editor);
  EXPECT_EQ(pasted->windowTitle(), "新規画像2");
  EXPECT_TRUE(pasted->Modified());
  EXPECT_EQ(pasted->Bitmap()->Image().convertToFormat(QImage::Format_ARGB32), copied
                                                                                 .convertToFormat(QImage::Format_ARGB32));
  EXPECT_NEAR(pasted->Bitmap()->HorizontalResolution(), 96, 0.5);

  Trigger(C::actCopy);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(20, 15)) << "no mark: all of it";
  Main->MdiArea()->setActiveSubWindow(editor);
  Idle();
  editor->Undo();
  Trigger(C::actCopy);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(40, 30));
}

TEST_F(EditCommandsTest, PastingTextOpensNothingAndUsesNoNumber) {
  Start();
  QApplication::clipboard()->setText("just words");
  Trigger(C::actPaste);
  EXPECT_EQ(EditorCount(), 0);
  QApplication::clipboard()->setImage(Marked());
  Trigger(C::actPaste);
  ASSERT_EQ(EditorCount(), 1);
  EXPECT_EQ(Active()->windowTitle(), "新規画像1");
}

TEST_F(EditCommandsTest, AnEditedScanKeepsItsResolutionInEveryFormat) {
  QImage scan(80, 60, QImage::Format_RGB32);
  scan.fill(Qt::gray);
  const int dpm = qRound(300 / 0.0254);
  scan.setDotsPerMeterX(dpm);
  scan.setDotsPerMeterY(dpm);
  ASSERT_TRUE(scan.save(File("scan.tif"), "TIFF"));
  Start({File("scan.tif")});
  TfrmEdit* editor = Active();
  editor->Zoom(TZoomState::zsZoomAs, 1.0);
  Mark(editor, QPoint(5, 5), QPoint(50, 40));
  Trigger(C::actTrim);
  for (const char* name : {"out.png", "out.jpg", "out.tif", "out.bmp"}) {
    TfrmMain::WriteImage(File(name), *editor);
    QImageReader reader(File(name));
    const QImage back = reader.read();
    ASSERT_FALSE(back.isNull()) << name;
    EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, 300, 0.5) << name;
    EXPECT_NEAR(back.dotsPerMeterY() * 0.0254, 300, 0.5) << name;
  }
}

}  // namespace
