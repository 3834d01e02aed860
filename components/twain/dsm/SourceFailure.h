#pragma once

#include "twain.h"

// Ends a manager operation with TWRC_FAILURE; the condition is what DAT_STATUS reports next.
struct TSourceFailure {
  TW_UINT16 Condition;
};
