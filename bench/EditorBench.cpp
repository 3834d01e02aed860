// The editor as the user meets it: one repaint while dragging a line over a 35-megapixel image at
// the whole-image zoom (beside the floor: one blit of a view-sized picture), opening a
// 24-megapixel JPEG to its first painted view, and turning the 35-megapixel image.
#include <benchmark/benchmark.h>

#include <QApplication>
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

// The editors' frame for the whole run, made after the application and gone before it.
struct Desk {
  Desk() {
    Area.resize(1000, 800);
    Area.show();
    Editor35 = new TfrmEdit(&Area, Host);
    Editor35->SetBitmap(bench::PhotoLike(7264, 4843, QImage::Format_RGB32));
  }
  QMdiArea Area;
  BenchHost Host;
  TfrmEdit* Editor35;
};
Desk* TheDesk = nullptr;

// Paints the frame with the picture and its mark, as the screen would get it.
void Render(TfrmEdit* Editor, QImage& Target) {
  if (Target.size() != Editor->pnlFrame()->size())
    Target = QImage(Editor->pnlFrame()->size(), QImage::Format_ARGB32_Premultiplied);
  Editor->pnlFrame()->render(&Target);
}

void DragRepaint(benchmark::State& state) {
  TfrmEdit* editor = TheDesk->Editor35;
  editor->SetEditMode(TEditMode::emRevise);
  editor->Zoom(TZoomState::zsAll, 0);
  const QSize view = editor->pbxEdit()->size();
  QImage screen;
  Render(editor, screen);  // the reduced view is made once per zoom, not per move
  editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, 10, 10);
  int step = 0;
  for (auto _ : state) {
    ++step;
    editor->pbxEditMouseMove(20 + step % (view.width() - 40), 20 + (step * 7) % (view.height() - 40));
    Render(editor, screen);
    benchmark::DoNotOptimize(screen.constBits());
  }
  editor->SetEditMode(TEditMode::emSelect);
  state.counters["view_px"] = view.width() * view.height();
}

void BlitFloor(benchmark::State& state) {
  TfrmEdit* editor = TheDesk->Editor35;
  editor->Zoom(TZoomState::zsAll, 0);
  const QImage view = imaging::ReducedForView(editor->Bitmap()->Image(), editor->pbxEdit()->size());
  QImage target(view.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(0, 0, view);
    benchmark::DoNotOptimize(target.constBits());
  }
}

void OpenToFirstView(benchmark::State& state) {
  const QString& path = bench::PhotoJpeg24();
  QImage screen;
  for (auto _ : state) {
    auto* editor = new TfrmEdit(&TheDesk->Area, TheDesk->Host);
    editor->SetFileName(path);  // decodes and zooms to the whole image
    Render(editor, screen);
    state.PauseTiming();
    if (!editor->Bitmap()) state.SkipWithError("decode failed");
    delete editor;
    state.ResumeTiming();
  }
}

void RotateInEditor(benchmark::State& state) {
  TfrmEdit* editor = TheDesk->Editor35;
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
  {
    Desk desk;
    TheDesk = &desk;
    benchmark::RunSpecifiedBenchmarks();
    TheDesk = nullptr;
  }
  benchmark::Shutdown();
  return 0;
}
