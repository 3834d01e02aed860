#include "PixelMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "Exception.h"
#include "TGPBitmap.h"

namespace imaging {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
// Below this a mapping of its own is not worth it.
constexpr std::size_t kSmallBuffer = std::size_t(1) << 20;

std::atomic<std::size_t> gInUse{0};
std::atomic<std::size_t> gLimit{0};

std::size_t MachineMemory() {
  static const std::size_t bytes =
      std::size_t(sysconf(_SC_PHYS_PAGES)) * std::size_t(sysconf(_SC_PAGESIZE));
  return bytes;
}

std::size_t Cap() {
  const std::size_t limit = gLimit.load();
  return limit == 0 ? MachineMemory() : limit;
}

bool Reserve(std::size_t bytes) {
  std::size_t used = gInUse.load();
  do {
    if (bytes > Cap() || used > Cap() - bytes) return false;
  } while (!gInUse.compare_exchange_weak(used, used + bytes));
  return true;
}

struct Block {
  void* data;
  std::size_t bytes;   // counted against the cap
  std::size_t mapped;  // length of the mapping, 0 for a heap block
};

void* MapAligned(std::size_t bytes, std::size_t& mapped) {
  mapped = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  const std::size_t span = mapped + kHugePage;
  void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePage - 1) & ~(kHugePage - 1);
  if (aligned > start) munmap(raw, aligned - start);
  const std::uintptr_t end = aligned + mapped;
  if (start + span > end) munmap(reinterpret_cast<void*>(end), start + span - end);
  void* data = reinterpret_cast<void*>(aligned);
  madvise(data, mapped, MADV_HUGEPAGE);
  return data;
}

void Release(void* info) {
  auto* block = static_cast<Block*>(info);
  if (block->mapped != 0)
    munmap(block->data, block->mapped);
  else
    std::free(block->data);
  gInUse -= block->bytes;
  delete block;
}

QString SizeText(int width, int height) {
  return QStringLiteral("%1 × %2 ピクセル").arg(width).arg(height);
}

}  // namespace

void SetPixelMemoryLimit(std::size_t bytes) { gLimit = bytes; }

std::size_t PixelMemory::InUse() { return gInUse.load(); }

std::size_t PixelMemory::Available() {
  const std::size_t used = gInUse.load();
  return used >= Cap() ? 0 : Cap() - used;
}

std::size_t PixelMemory::BytesFor(int width, int height, QImage::Format format) {
  if (width <= 0 || height <= 0 || format == QImage::Format_Invalid) return 0;
  const int depth = QImage::toPixelFormat(format).bitsPerPixel();
  const std::uint64_t bytesPerLine = (std::uint64_t(width) * depth + 31) / 32 * 4;
  if (bytesPerLine > std::uint64_t(std::numeric_limits<int>::max())) return 0;
  const std::uint64_t total = bytesPerLine * std::uint64_t(height);
  if (total > std::uint64_t(std::numeric_limits<qsizetype>::max()) / 2) return 0;
  return std::size_t(total);
}

QImage PixelMemory::Allocate(int width, int height, QImage::Format format) {
  const std::size_t bytes = BytesFor(width, height, format);
  if (bytes == 0)
    throw Exception(
        QStringLiteral("画像の大きさが正しくありません（%1）。").arg(SizeText(width, height)));
  if (!Reserve(bytes))
    throw Exception(QStringLiteral("画像のためのメモリが足りません（%1、%2 MB）。")
                        .arg(SizeText(width, height))
                        .arg((bytes + (1 << 20) - 1) >> 20));
  auto* block = new Block{nullptr, bytes, 0};
  block->data = bytes < kSmallBuffer ? std::calloc(1, bytes) : MapAligned(bytes, block->mapped);
  if (block->data == nullptr) {
    gInUse -= bytes;
    delete block;
    throw Exception(
        QStringLiteral("画像のためのメモリが足りません（%1）。").arg(SizeText(width, height)));
  }
  const qsizetype bytesPerLine = qsizetype(bytes / std::size_t(height));
  QImage image(static_cast<uchar*>(block->data), width, height, bytesPerLine, format, Release,
               block);
  // Shown one image pixel per screen pixel unless a file says otherwise: 96 dpi.
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  return image;
}

}  // namespace imaging
