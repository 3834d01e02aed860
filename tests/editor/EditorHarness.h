#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

#include "TEditorHost.h"
#include "untEdit.h"

inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << Text.toStdString(); }

// The editor's owner, as the main window is to it: colours, numbering and what it was told.
struct TestHost : TEditorHost {
  uint32_t Back = 0xFFFFFFFF;
  uint32_t Band = 0x0000FFFF;
  int32_t Count = 0;
  int UndoChangedCalls = 0;
  uint32_t BackColor() const override { return Back; }
  uint32_t BandColor() const override { return Band; }
  int32_t IncNewImage() override { return ++Count; }
  void UndoChanged() override { ++UndoChangedCalls; }
  QIcon RotateImage(int) const override { return QIcon(); }
};

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Area.resize(1000, 800);
    Area.show();
  }

  TfrmEdit* NewEditor(const QImage& Image) {
    auto* editor = new TfrmEdit(&Area, Host);
    editor->SetBitmap(Image);
    return editor;
  }

  // Sizes the window so that the scrolling area's client is exactly Client (no scroll bars at the
  // tiny rate set first).
  void SetScrollClient(TfrmEdit* Editor, QSize Client) {
    Editor->Zoom(TZoomState::zsZoomAs, 0.01);
    QWidget* viewport = Editor->scbEdit()->viewport();
    Editor->resize(Editor->size() + Client - viewport->size());
    QApplication::sendPostedEvents();
    ASSERT_EQ(viewport->size(), Client);
  }

  QString WriteFile(const QString& Name, const QImage& Image) {
    const QString path = Dir.filePath(Name);
    EXPECT_TRUE(Image.save(path));
    return path;
  }

  static QImage Pattern(int W, int H) {
    QImage image(W, H, QImage::Format_ARGB32);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) image.setPixel(x, y, qRgb(x * 255 / W, y * 255 / H, 90));
    return image;
  }

  QMdiArea Area;
  TestHost Host;
  QTemporaryDir Dir;
};
