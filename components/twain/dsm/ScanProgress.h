#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>
#include <cstddef>
#include <optional>

#include "BusyCursor.h"

// The source's progress indicator while it reads the device: a busy cursor from the start, and
// once the scan has taken half a second a window with the share read so far and a cancel button.
// Until that window shows the user sees only the cursor, so quick scans do not flash a window.
class TScanProgress {
 public:
  // ExpectedBytes 0: the device does not know how long the frame is.
  TScanProgress(QWidget* Parent, size_t ExpectedBytes);
  TScanProgress(const TScanProgress&) = delete;
  TScanProgress& operator=(const TScanProgress&) = delete;

  // Shows how far the read has come; false once the user has asked to stop.
  bool Advance(size_t BytesRead);

 private:
  static constexpr int Steps = 1000;
  static constexpr qint64 ShowAfterMs = 500;

  QProgressDialog FDialog;
  QElapsedTimer FElapsed;
  size_t FExpectedBytes;
  std::optional<TBusyCursor> FBusy{std::in_place};
};
