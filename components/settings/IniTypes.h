#pragma once

#include <QString>
#include <cstdint>

#include "Types.h"

// Values the typed settings entries read and write.

enum class TFontPitch { fpDefault, fpVariable, fpFixed };

// A font as a settings file keeps it. Height is in points when positive; a negative height gives
// the character height in pixels. Color is a 0x00BBGGRR colour value.
struct TFont {
  uint8_t Charset = 1;
  int32_t Color = 0;
  int32_t Height = -12;
  QString Name = QStringLiteral("Sans Serif");
  TFontPitch Pitch = TFontPitch::fpDefault;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  friend bool operator==(const TFont&, const TFont&) = default;
};

// A colour value 0x00BBGGRR, or a system-colour code (top byte set, low byte its index).
using TColor = int32_t;

// Days since 30 December 1899, the time of day as the fraction.
using TDateTime = double;
