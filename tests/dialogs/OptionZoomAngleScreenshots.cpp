#include <gtest/gtest.h>

#include <QDir>
#include <QMdiArea>
#include <QTest>

#include "ExtIniFile.h"
#include "TEditorHost.h"
#include "untAngle.h"
#include "untEdit.h"
#include "untOption.h"
#include "untZoom.h"

namespace {

struct ShotHost : TEditorHost {
  uint32_t BackColor() const override { return 0xFFFFFFFF; }
  uint32_t BandColor() const override { return 0x0000FFFF; }
  int32_t IncNewImage() override { return 1; }
  void UndoChanged() override {}
  QIcon RotateImage(int) const override { return QIcon(); }
};

void Save(QWidget& Dialog, const QString& Name) {
  Dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog));
  QTest::qWait(100);
  const QString folder = qEnvironmentVariable("LEVELORA_SHOTS", QDir::tempPath());
  ASSERT_TRUE(Dialog.grab().save(folder + u'/' + Name + QStringLiteral(".png")));
}

// Pictures of the three dialogs for looking at, not a check: run it under a real display with
// --gtest_also_run_disabled_tests and LEVELORA_SHOTS naming the folder.
TEST(OptionZoomAngleScreenshots, DISABLED_SaveEachDialog) {
  TExtIniFile store;
  store.SetAutoUpdate(false);
  store.Clear();
  store.WriteColor(QStringLiteral("Options"), QStringLiteral("BackColor"), 0x000000FF);
  store.WriteInt(QStringLiteral("Options"), QStringLiteral("BackAlpha"), 128);
  TfrmOption option(nullptr, store);
  Save(option, QStringLiteral("option"));

  QMdiArea area;
  ShotHost host;
  auto* editor = new TfrmEdit(&area, host);
  QImage picture(100, 100, QImage::Format_ARGB32);
  picture.fill(Qt::gray);
  editor->SetBitmap(picture);
  editor->Zoom(TZoomState::zsZoomAs, 1.5);
  TfrmZoom zoom(&area);
  zoom.SetTarget(editor);
  Save(zoom, QStringLiteral("zoom"));

  TfrmAngle angle(nullptr);
  Save(angle, QStringLiteral("angle"));
}

}  // namespace
