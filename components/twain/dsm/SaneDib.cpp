#include "SaneDib.h"

#include <cstring>

#include "SourceFailure.h"

namespace {

constexpr size_t InfoHeaderSize = 40;

void Fail() { throw TSourceFailure{TWCC_OPERATIONERROR}; }

int32_t Channels(const SANE_Parameters& Params) { return Params.format == SANE_FRAME_RGB ? 3 : 1; }

// One sample scaled to 8 bits. Line art bits are 1 for black in gray frames, 1 for full
// intensity in colour frames.
uint8_t Sample(const SANE_Parameters& Params, const uint8_t* Line, int32_t Index) {
  switch (Params.depth) {
    case 1: {
      const bool bit = (Line[Index / 8] >> (7 - Index % 8)) & 1;
      return Params.format == SANE_FRAME_GRAY ? (bit ? 0 : 255) : (bit ? 255 : 0);
    }
    case 8:
      return Line[Index];
    default: {
      uint16_t value;
      std::memcpy(&value, Line + 2 * static_cast<size_t>(Index), sizeof(value));
      return static_cast<uint8_t>(value >> 8);
    }
  }
}

void PutLittle32(uint8_t* Target, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Target[i] = static_cast<uint8_t>(Value >> (8 * i));
}

void PutLittle16(uint8_t* Target, uint16_t Value) {
  Target[0] = static_cast<uint8_t>(Value);
  Target[1] = static_cast<uint8_t>(Value >> 8);
}

struct TDibLayout {
  int32_t BitCount;
  uint32_t PaletteSize;
  size_t Stride;
  size_t Size;
};

TDibLayout LayoutFor(const SANE_Parameters& Params, size_t Lines) {
  TDibLayout layout{};
  const bool lineArt = Params.format == SANE_FRAME_GRAY && Params.depth == 1;
  layout.BitCount = Params.format == SANE_FRAME_RGB ? 24 : (lineArt ? 1 : 8);
  layout.PaletteSize = layout.BitCount == 24 ? 0 : (1u << layout.BitCount);
  layout.Stride = (static_cast<size_t>(Params.pixels_per_line) * layout.BitCount + 31) / 32 * 4;
  const size_t head = InfoHeaderSize + 4 * layout.PaletteSize;
  if (Lines == 0 || layout.Stride > (MaxDibSize - head) / Lines) Fail();
  layout.Size = head + layout.Stride * Lines;
  return layout;
}

void WriteHeader(uint8_t* Dib, const TDibLayout& Layout, int32_t Width, size_t Lines, int32_t Dpi) {
  const auto pelsPerMeter = static_cast<uint32_t>(Dpi / 0.0254 + 0.5);
  PutLittle32(Dib, InfoHeaderSize);
  PutLittle32(Dib + 4, static_cast<uint32_t>(Width));
  PutLittle32(Dib + 8, static_cast<uint32_t>(Lines));
  PutLittle16(Dib + 12, 1);
  PutLittle16(Dib + 14, static_cast<uint16_t>(Layout.BitCount));
  PutLittle32(Dib + 20, static_cast<uint32_t>(Layout.Stride * Lines));
  PutLittle32(Dib + 24, pelsPerMeter);
  PutLittle32(Dib + 28, pelsPerMeter);
  PutLittle32(Dib + 32, Layout.PaletteSize);
  uint8_t* palette = Dib + InfoHeaderSize;
  for (uint32_t i = 0; i < Layout.PaletteSize; ++i) {
    // Line art keeps the device's bits: index 0 white, index 1 black.
    const auto level = static_cast<uint8_t>(Layout.BitCount == 1 ? (i == 0 ? 255 : 0) : i);
    std::memset(palette + 4 * i, level, 3);
  }
}

void WriteLine(uint8_t* Target, const SANE_Parameters& Params, const TDibLayout& Layout,
               const uint8_t* Line) {
  if (Layout.BitCount == 1) {
    std::memcpy(Target, Line, (static_cast<size_t>(Params.pixels_per_line) + 7) / 8);
    return;
  }
  for (int32_t x = 0; x < Params.pixels_per_line; ++x) {
    if (Layout.BitCount == 8) {
      Target[x] = Sample(Params, Line, x);
    } else {
      for (int32_t c = 0; c < 3; ++c) Target[3 * x + 2 - c] = Sample(Params, Line, 3 * x + c);
    }
  }
}

}  // namespace

size_t CheckedLineBytes(const SANE_Parameters& Params) {
  if (Params.format != SANE_FRAME_GRAY && Params.format != SANE_FRAME_RGB)
    throw TSourceFailure{TWCC_BUMMER};
  if (Params.depth != 1 && Params.depth != 8 && Params.depth != 16) Fail();
  if (Params.pixels_per_line <= 0 || Params.bytes_per_line <= 0) Fail();
  const size_t bits = static_cast<size_t>(Params.pixels_per_line) * Channels(Params) * Params.depth;
  if (static_cast<size_t>(Params.bytes_per_line) < (bits + 7) / 8) Fail();
  return static_cast<size_t>(Params.bytes_per_line);
}

HGLOBAL SaneFrameToDib(const SANE_Parameters& Params, const std::vector<uint8_t>& Data,
                       int32_t Dpi) {
  const size_t lineBytes = CheckedLineBytes(Params);
  if (Data.size() % lineBytes != 0) Fail();
  const size_t lines = Data.size() / lineBytes;
  if (Params.lines >= 0 && lines != static_cast<size_t>(Params.lines)) Fail();
  const TDibLayout layout = LayoutFor(Params, lines);
  HGLOBAL handle = GlobalAlloc(layout.Size);
  if (handle == nullptr) throw TSourceFailure{TWCC_LOWMEMORY};
  auto* dib = static_cast<uint8_t*>(GlobalLock(handle));
  WriteHeader(dib, layout, Params.pixels_per_line, lines, Dpi);
  uint8_t* bits = dib + InfoHeaderSize + 4 * layout.PaletteSize;
  for (size_t y = 0; y < lines; ++y)
    WriteLine(bits + (lines - 1 - y) * layout.Stride, Params, layout, Data.data() + y * lineBytes);
  GlobalUnlock(handle);
  return handle;
}
