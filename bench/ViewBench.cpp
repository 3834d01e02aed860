// Showing a photo below 100 %: decoding a 24-megapixel JPEG and reducing it to a view-sized image,
// beside plain decoding with Qt's reader; and the reduction alone of a 35-megapixel image.
#include <benchmark/benchmark.h>

#include <QImageReader>

#include "BenchImages.h"
#include "TGPBitmap.h"

namespace {

const QSize kView(460, 340);

void DecodeToView(benchmark::State& state) {
  const QString& path = bench::PhotoJpeg24();
  for (auto _ : state) {
    auto bitmap = imaging::TGPBitmap::FromFile(path);
    if (!bitmap) state.SkipWithError("decode failed");
    QImage view = imaging::ReducedForView(bitmap->Image(), kView);
    benchmark::DoNotOptimize(view.constBits());
  }
}

void QtDecode(benchmark::State& state) {
  QImageReader::setAllocationLimit(1024);
  const QString& path = bench::PhotoJpeg24();
  for (auto _ : state) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(image.constBits());
  }
}

void ReduceOnly(benchmark::State& state) {
  const QImage photo = bench::PhotoLike(7264, 4843, QImage::Format_RGB32);  // 35 MP
  for (auto _ : state) {
    QImage view = imaging::ReducedForView(photo, kView);
    benchmark::DoNotOptimize(view.constBits());
  }
}

}  // namespace

BENCHMARK(DecodeToView)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(QtDecode)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(ReduceOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_MAIN();
