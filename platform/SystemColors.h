#pragma once

#include <cstdint>

// A stored colour is 0x00BBGGRR, or a system-colour code: the top byte set and the low byte the
// index of a system colour. This gives the plain 0x00BBGGRR value either way, a system colour in
// its current value from the desktop's palette.
uint32_t ColorToRGB(int32_t Color);
