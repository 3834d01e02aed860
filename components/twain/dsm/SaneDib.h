#pragma once

#include <sane/sane.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GlobalMemory.h"

// The largest DIB a transfer may hand over: with the 14-byte file header it must still fit the
// 32-bit size field of a bitmap file.
constexpr size_t MaxDibSize = 0x7FFFFFFFu - 14;

// Checks the parameters a device reports for a frame this manager can convert (one pass, gray
// or colour, depth 1, 8 or 16) and returns the bytes a line must hold; throws TSourceFailure.
size_t CheckedLineBytes(const SANE_Parameters& Params);

// Converts one scanned frame into a bottom-up DIB (1-bit for line art, 8-bit gray, 24-bit colour)
// in a new memory handle. Data must hold whole lines of Params.bytes_per_line; when the device did
// not know its line count (lines < 0) the data decides it. Data that does not match the
// parameters throws TSourceFailure instead of being read past its end.
HGLOBAL SaneFrameToDib(const SANE_Parameters& Params, const std::vector<uint8_t>& Data,
                       int32_t Dpi);
