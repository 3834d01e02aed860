#pragma once

#include <cstdint>

// The plain point and rectangle values shared by the settings records and the editor's marks.

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom lie just outside the rectangle: Width = Right - Left.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};
