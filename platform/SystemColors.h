#pragma once

#include <cstdint>

// A stored colour is 0x00BBGGRR, or a system-colour code: the top byte set and the low byte the
// index of a system colour. This gives the plain 0x00BBGGRR value either way, a system colour in
// its current value from the desktop's palette.
uint32_t ColorToRGB(int32_t Color);

// The background that rotation and mirroring put behind the image, packed 0xAARRGGBB from a
// stored colour (0x00BBGGRR or a system-colour code) and an opacity of which only the low byte
// counts.
uint32_t PackBackColor(int32_t Color, int32_t Alpha);
