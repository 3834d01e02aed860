#pragma once

#include <cstddef>

// Movable memory blocks passed between the program and the scanner source manager, which lives
// in a separate library: whoever receives a handle locks it to reach the bytes and frees it when
// done. The blocks come from the C heap, so either side may free what the other allocated.
using HGLOBAL = void*;

// A zero-filled block of Size bytes; null when the memory is not available.
HGLOBAL GlobalAlloc(size_t Size);
// The block's bytes, or null for a null or foreign handle. Each lock is matched by an unlock.
void* GlobalLock(HGLOBAL Handle);
void GlobalUnlock(HGLOBAL Handle);
// Frees the block whatever its lock count; a null handle is ignored.
void GlobalFree(HGLOBAL Handle);
// The size asked for at allocation; 0 for a null or foreign handle.
size_t GlobalSize(HGLOBAL Handle);
