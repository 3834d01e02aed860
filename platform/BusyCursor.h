#pragma once

#include <QApplication>
#include <QCursor>

// The busy cursor for as long as the object lives, restored even when an error leaves early.
class TBusyCursor {
 public:
  TBusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
