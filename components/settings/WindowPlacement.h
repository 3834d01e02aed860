#pragma once

#include <cstdint>

#include "IniTypes.h"

class QWidget;

// Show commands of a window placement.
enum : uint32_t { kShowHide = 0, kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };

// Where a top-level window sits and in which state. The normal position is the window's client
// area when it is neither minimised nor maximised, in screen coordinates. Window managers place
// minimised and maximised windows themselves: the two positions are kept for the record only.
struct TWindowPlacement {
  uint32_t Flags = 0;
  uint32_t ShowCmd = kShowNormal;
  TPoint MinPosition{-1, -1};
  TPoint MaxPosition{-1, -1};
  TRect NormalPosition;
};

TWindowPlacement GetWindowPlacement(const QWidget& Form);
// Gives the window its normal position, then the state of the show command: hidden (the window
// is hidden and its state left normal), minimised, maximised or, for any other code, normal.
void SetWindowPlacement(QWidget& Form, const TWindowPlacement& Placement);

// Sets the client area's bounds, with sizes kept within what a widget can take, so that stored
// numbers from a damaged file cannot overflow or produce negative sizes.
void SetClientBounds(QWidget& Widget, int64_t Left, int64_t Top, int64_t Width, int64_t Height);
