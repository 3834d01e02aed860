// The editor as the user meets it: one repaint while dragging a line over a 35-megapixel image at
// the whole-image zoom (beside the floor: one blit of a view-sized picture), opening a
// 24-megapixel JPEG to its first painted view, and turning the 35-megapixel image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QMdiArea>
#include <QPainter>

#include "BenchImages.h"
#include "TGPBitmap.h"
#include "untEdit.h"

namespace {

struct BenchHost : TEditorHost {
  uint32_t BackColor() const override { return 0xFFFFFFFF; }
  uint32_t BandColor() const override { return 0x0000FFFF; }
  int32_t IncNewImage() override { return ++Count; }
  void UndoChanged() override {}
  QIcon RotateImage(int) const override { return QIcon(); }
  int32_t Count = 0;
};

struct Desk {
  Desk() {
    Area.resize(1000, 800);
    Area.show();
  }
  QMdiArea Area;
  BenchHost Host;
};

Desk& TheDesk() {
  static Desk desk;
  return desk;
}

const QImage& Photo35() {
  static const QImage photo = bench::PhotoLike(7264, 4843, QImage::Format_RGB32);
  return photo;
}

TfrmEdit* Editor35() {
  static TfrmEdit* editor = [] {
    auto* e = new TfrmEdit(&TheDesk().Area, TheDesk().Host);
    e->SetBitmap(Photo35());
    e->SetEditMode(TEditMode::emRevise);
    return e;
  }();
  return editor;
}

void DragRepaint(benchmark::State& state) {
  TfrmEdit* editor = Editor35();
  editor->Zoom(TZoomState::zsAll, 0);
  const QSize view = editor->pbxEdit()->size();
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, 10, 10);
  int step = 0;
  for (auto _ : state) {
    // Every move during a drag repaints the picture with the line at once.
    ++step;
    editor->pbxEditMouseMove(20 + step % (view.width() - 40), 20 + (step * 7) % (view.height() - 40));
  }
  editor->pbxEditMouseUp(Qt::LeftButton, 10, 10);
  editor->SetEditMode(TEditMode::emSelect);
  editor->SetEditMode(TEditMode::emRevise);
  state.counters["view_px"] = view.width() * view.height();
}

void BlitFloor(benchmark::State& state) {
  TfrmEdit* editor = Editor35();
  editor->Zoom(TZoomState::zsAll, 0);
  const QImage view = imaging::ReducedForView(Photo35(), editor->pbxEdit()->size());
  QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(0, 0, view);
    benchmark::DoNotOptimize(target.constBits());
  }
}

void OpenToFirstView(benchmark::State& state) {
  static const QString path = [] {
    const QString p = QDir::temp().filePath("levelora-bench-editor-24mp.jpg");
    QImageWriter writer(p, "jpeg");
    writer.setQuality(90);
    writer.write(bench::PhotoLike(6000, 4000, QImage::Format_RGB32));
    return p;
  }();
  for (auto _ : state) {
    auto* editor = new TfrmEdit(&TheDesk().Area, TheDesk().Host);
    editor->SetFileName(path);  // decodes, zooms to the whole image and paints it
    state.PauseTiming();
    if (!editor->Bitmap()) state.SkipWithError("decode failed");
    delete editor;
    state.ResumeTiming();
  }
}

void RotateInEditor(benchmark::State& state) {
  TfrmEdit* editor = Editor35();
  editor->SetEditMode(TEditMode::emSelect);
  for (auto _ : state) {
    editor->Rotate(-5.710593137499643);
    state.PauseTiming();
    editor->Undo();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(DragRepaint)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BlitFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(OpenToFirstView)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(RotateInEditor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
