#include "ScanProgress.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

TScanProgress::TScanProgress(QWidget* Parent, size_t ExpectedBytes)
    : FDialog(QStringLiteral("スキャンしています…"), QStringLiteral("キャンセル"), 0,
              ExpectedBytes > 0 ? Steps : 0, Parent),
      FExpectedBytes(ExpectedBytes) {
  FDialog.setObjectName(QStringLiteral("ScanProgress"));
  FDialog.setWindowTitle(QStringLiteral("スキャン"));
  FDialog.setWindowModality(Qt::ApplicationModal);
  FDialog.setAutoClose(false);
  FDialog.setAutoReset(false);
  // The window is shown here, by elapsed time, and not by the dialog's own estimate: with an
  // unknown length the dialog never leaves its minimum and would never show.
  FDialog.setMinimumDuration(std::numeric_limits<int>::max());
  FElapsed.start();
}

bool TScanProgress::Advance(size_t BytesRead) {
  if (FExpectedBytes > 0)
    FDialog.setValue(static_cast<int>(std::min<size_t>(BytesRead, FExpectedBytes) * Steps /
                                      FExpectedBytes));
  if (!FDialog.isVisible() && FElapsed.elapsed() >= ShowAfterMs) {
    // The cancel button must not look busy.
    FBusy.reset();
    FDialog.show();
  }
  if (FDialog.isVisible()) QCoreApplication::processEvents();
  return !FDialog.wasCanceled();
}
