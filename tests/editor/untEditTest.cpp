#include <QCloseEvent>
#include <QPainter>
#include <QScrollBar>

#include "EditorHarness.h"

namespace {

TEST_F(EditorTest, WholeImageZoomFitsTheSmallerRatio) {
  TfrmEdit* editor = NewEditor(Pattern(100, 50));
  SetScrollClient(editor, QSize(400, 400));
  editor->Zoom(TZoomState::zsAll, 0);
  EXPECT_EQ(editor->ShowRate(), 4.0);
  EXPECT_EQ(editor->pnlFrame()->size(), QSize(408, 208));
  EXPECT_EQ(editor->pbxEdit()->size(), QSize(400, 200));
  EXPECT_EQ(editor->StatusText(1), "400%");
}

struct ZoomCase {
  const char* Name;
  double Start;
  TZoomState State;
  int Steps;
  double Rate;
  const char* Panel;
};

class ZoomStepTest : public EditorTest, public ::testing::WithParamInterface<ZoomCase> {};

TEST_P(ZoomStepTest, StepsInExtendedPrecisionWithinTheirBounds) {
  const ZoomCase& c = GetParam();
  TfrmEdit* editor = NewEditor(Pattern(100, 50));
  editor->Zoom(TZoomState::zsZoomAs, c.Start);
  for (int i = 0; i < c.Steps; ++i) editor->Zoom(c.State, 0);
  EXPECT_EQ(editor->ShowRate(), c.Rate);
  EXPECT_EQ(editor->StatusText(1), c.Panel);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ZoomStepTest,
    ::testing::Values(ZoomCase{"InCapsAtFour", 3.9, TZoomState::zsZoomIn, 1, 4.0, "400%"},
                      ZoomCase{"OutStopsAtFloor", 0.3, TZoomState::zsZoomOut, 1, 0.15, "15%"},
                      ZoomCase{"OutStaysAtFloor", 0.15, TZoomState::zsZoomOut, 1, 0.15, "15%"},
                      ZoomCase{"ThreeInsAccumulate", 1.0, TZoomState::zsZoomIn, 3,
                               1.5999999999999999, "160%"},
                      ZoomCase{"FiveOutsReachFloor", 1.0, TZoomState::zsZoomOut, 5, 0.15, "15%"},
                      ZoomCase{"SameIsOne", 2.5, TZoomState::zsSame, 1, 1.0, "100%"},
                      ZoomCase{"TwoThirdsShows67", 2.0 / 3.0, TZoomState::zsZoomAs, 0, 2.0 / 3.0,
                               "67%"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(EditorTest, FitWindowShowsTheWholeFrameWithoutScrolling) {
  TfrmEdit* editor = NewEditor(Pattern(300, 200));
  editor->Zoom(TZoomState::zsZoomAs, 1.5);
  editor->FitWindow();
  QApplication::sendPostedEvents();
  EXPECT_EQ(editor->scbEdit()->viewport()->size(), QSize(450 + 16, 300 + 16));
  EXPECT_FALSE(editor->scbEdit()->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(editor->scbEdit()->verticalScrollBar()->isVisible());
}

TEST_F(EditorTest, PointerMapsToImagePixelsHalvesToEven) {
  TfrmEdit* editor = NewEditor(Pattern(100, 50));
  editor->Zoom(TZoomState::zsZoomAs, 1.0 / 3.0);
  EXPECT_EQ(editor->pbxEdit()->width(), 33);
  EXPECT_EQ(editor->pnlFrame()->width(), 41);
  editor->pbxEditMouseMove(10, 0);
  EXPECT_EQ(editor->StatusText(0), "X:30 Y:0");

  editor->Zoom(TZoomState::zsZoomAs, 2.0);
  const std::pair<int, const char*> cases[] = {{5, "X:2 Y:2"}, {7, "X:4 Y:4"}};
  for (const auto& [x, text] : cases) {
    QTest::mouseMove(editor->pbxEdit(), QPoint(x, x));
    EXPECT_EQ(editor->StatusText(0), text);
  }
  editor->pbxEditMouseLeave();
  EXPECT_EQ(editor->StatusText(0), "");
}

TEST_F(EditorTest, PointerMoveFeedsTheLoupeWithImageCoordinates) {
  TfrmEdit* editor = NewEditor(Pattern(100, 50));
  editor->Zoom(TZoomState::zsZoomAs, 2.0);
  std::vector<std::pair<intptr_t, intptr_t>> seen;
  editor->SetOnUpdateLoupe([&](TfrmEdit* sender, intptr_t x, intptr_t y) {
    EXPECT_EQ(sender, editor);
    EXPECT_EQ(sender->StatusText(0), QStringLiteral("X:%1 Y:%2").arg(x).arg(y));
    seen.emplace_back(x, y);
  });
  editor->pbxEditMouseMove(-6, 300);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], std::make_pair(intptr_t{-3}, intptr_t{150}));
}

TEST_F(EditorTest, NewImagesAreNumberedModifiedAndSized) {
  TfrmEdit* editors[3];
  for (TfrmEdit*& e : editors) e = NewEditor(Pattern(20, 10));
  EXPECT_EQ(editors[0]->windowTitle(), "新規画像1");
  EXPECT_EQ(editors[2]->windowTitle(), "新規画像3");
  EXPECT_TRUE(editors[1]->Modified());
  EXPECT_TRUE(editors[1]->FileName().isEmpty());
  EXPECT_EQ(editors[1]->StatusText(2), "20×10");
  editors[1]->SetSaved("/tmp/somewhere/saved.png");
  EXPECT_EQ(editors[1]->windowTitle(), "saved.png");
  EXPECT_TRUE(editors[1]->Modified()) << "SetSaved leaves Modified to the caller";
}

TEST_F(EditorTest, LoadingAFileShowsItWhole) {
  const QString path = WriteFile("scan.Tif.png", Pattern(64, 32));
  auto* editor = new TfrmEdit(&Area, Host);
  int opened = 0;
  editor->SetOnImageOpen([&](TfrmEdit*) { ++opened; });
  editor->SetFileName(path);
  ASSERT_NE(editor->Bitmap(), nullptr);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(editor->windowTitle(), "scan.Tif.png");
  EXPECT_EQ(editor->FileName(), path);
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(editor->StatusText(2), "64×32");
  EXPECT_GT(editor->ShowRate(), 1.0) << "a small image is enlarged to fit";
}

TEST_F(EditorTest, AFileThatDoesNotDecodeClosesItsWindow) {
  QFile text(Dir.filePath("bad.png"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture\n");
  text.close();
  QPointer<TfrmEdit> editor = new TfrmEdit(&Area, Host);
  int opened = 0, closed = 0;
  editor->SetOnImageOpen([&](TfrmEdit*) { ++opened; });
  editor->SetOnImageClose([&](TfrmEdit*) { ++closed; });
  editor->SetFileName(text.fileName());
  EXPECT_EQ(editor->Bitmap(), nullptr);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(closed, 1);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(editor.isNull());
  EXPECT_TRUE(Area.subWindowList().isEmpty());
}

TEST_F(EditorTest, CloseAsksOnlyWhenModifiedAndHonoursTheAnswer) {
  TfrmEdit* editor = NewEditor(Pattern(8, 8));
  int asked = 0, closed = 0;
  bool answer = false;
  editor->SetOnAskSave([&](TfrmEdit*, bool& canClose) {
    ++asked;
    EXPECT_TRUE(canClose);
    canClose = answer;
  });
  editor->SetOnImageClose([&](TfrmEdit*) { ++closed; });
  EXPECT_FALSE(editor->close());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(closed, 0);

  editor->SetModified(false);
  EXPECT_TRUE(editor->close());
  EXPECT_EQ(asked, 1) << "an unmodified window closes without a question";
  EXPECT_EQ(closed, 1);
}

TEST_F(EditorTest, BelowFullSizeTheViewIsSmoothlyReduced) {
  // One-pixel black and white stripes: a plain sampled view would show stripes or one colour,
  // a smooth reduction shows grey.
  QImage stripes(400, 400, QImage::Format_RGB32);
  for (int x = 0; x < 400; ++x)
    for (int y = 0; y < 400; ++y) stripes.setPixel(x, y, x % 2 ? 0xFFFFFFFF : 0xFF000000);
  TfrmEdit* editor = NewEditor(stripes);
  editor->Zoom(TZoomState::zsZoomAs, 0.25);
  const QImage view = editor->pbxEdit()->grab().toImage();
  for (QPoint p : {QPoint(10, 10), QPoint(51, 70), QPoint(99, 99)})
    EXPECT_NEAR(qGray(view.pixel(p)), 128, 12) << p.x() << "," << p.y();
}

TEST_F(EditorTest, AtFullSizeAndAboveEveryPixelIsACrispBlock) {
  QImage image(4, 2, QImage::Format_RGB32);
  const QRgb colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                          0xFF000000, 0xFF808080, 0xFFFFFF00, 0xFF00FFFF};
  for (int i = 0; i < 8; ++i) image.setPixel(i % 4, i / 4, colours[i]);
  TfrmEdit* editor = NewEditor(image);
  editor->Zoom(TZoomState::zsZoomAs, 3.0);
  const QImage view = editor->pbxEdit()->grab().toImage();
  ASSERT_EQ(view.size(), QSize(12, 6));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(view.pixel(x, y) | 0xFF000000, colours[(y / 3) * 4 + x / 3]) << x << "," << y;
}

}  // namespace
