#include "GlobalMemory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Marks live blocks, so that a stray or freed handle is refused instead of being read as one.
constexpr uint64_t LiveBlock = 0x4B434F4C424C4742ull;

struct alignas(std::max_align_t) BlockHeader {
  uint64_t Tag;
  size_t Size;
  size_t LockCount;
};

BlockHeader* HeaderOf(HGLOBAL Handle) {
  auto* header = static_cast<BlockHeader*>(Handle);
  return header != nullptr && header->Tag == LiveBlock ? header : nullptr;
}

}  // namespace

HGLOBAL GlobalAlloc(size_t Size) {
  if (Size > std::numeric_limits<size_t>::max() - sizeof(BlockHeader)) return nullptr;
  auto* header = static_cast<BlockHeader*>(std::calloc(1, sizeof(BlockHeader) + Size));
  if (header == nullptr) return nullptr;
  header->Tag = LiveBlock;
  header->Size = Size;
  return header;
}

void* GlobalLock(HGLOBAL Handle) {
  BlockHeader* header = HeaderOf(Handle);
  if (header == nullptr) return nullptr;
  ++header->LockCount;
  return header + 1;
}

void GlobalUnlock(HGLOBAL Handle) {
  BlockHeader* header = HeaderOf(Handle);
  if (header != nullptr && header->LockCount > 0) --header->LockCount;
}

void GlobalFree(HGLOBAL Handle) {
  BlockHeader* header = HeaderOf(Handle);
  if (header == nullptr) return;
  header->Tag = 0;
  std::free(header);
}

size_t GlobalSize(HGLOBAL Handle) {
  BlockHeader* header = HeaderOf(Handle);
  return header != nullptr ? header->Size : 0;
}
