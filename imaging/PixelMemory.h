#pragma once

#include <QImage>
#include <cstddef>

// Pixel buffers for images: large ones are 2 MB-aligned anonymous mappings advised to use huge
// pages (page faults, not arithmetic, are the first cost of a fresh canvas), small ones come from
// the heap. Every buffer is counted against the cap set by SetPixelMemoryLimit.
namespace imaging::PixelMemory {

// Bytes of pixel memory in use now.
std::size_t InUse();
// Bytes that one more image may still take: the cap less what is in use.
std::size_t Available();

// A zeroed (fully transparent) image of that size and format whose pixels are freed when the last
// QImage sharing them goes. Throws Exception when the size is impossible or over the cap.
QImage Allocate(int width, int height, QImage::Format format);

// Bytes a width x height image of that format takes, or 0 when the size cannot be represented.
std::size_t BytesFor(int width, int height, QImage::Format format);

}  // namespace imaging::PixelMemory
