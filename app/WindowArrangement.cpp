#include "WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QList<QMdiSubWindow*> Windows(QMdiArea& Area, bool Minimised) {
  QList<QMdiSubWindow*> result;
  for (QMdiSubWindow* w : Area.subWindowList(QMdiArea::CreationOrder))
    if (w->isVisible() && w->isMinimized() == Minimised) result.append(w);
  return result;
}

// Splits Length into Count parts whose sizes differ by at most one pixel.
int PartStart(int Length, int Count, int Index) {
  return static_cast<int>(static_cast<long long>(Length) * Index / Count);
}

void Tile(QMdiArea& Area, bool Vertically) {
  const QList<QMdiSubWindow*> windows = Windows(Area, false);
  const QRect area = Area.viewport()->rect();
  const int n = static_cast<int>(windows.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* w = windows[i];
    if (w->isMaximized()) w->showNormal();
    if (Vertically) {
      const int top = PartStart(area.height(), n, i);
      w->setGeometry(0, top, area.width(), PartStart(area.height(), n, i + 1) - top);
    } else {
      const int left = PartStart(area.width(), n, i);
      w->setGeometry(left, 0, PartStart(area.width(), n, i + 1) - left, area.height());
    }
  }
}

}  // namespace

void TileOneAboveTheOther(QMdiArea& Area) { Tile(Area, true); }

void TileSideBySide(QMdiArea& Area) { Tile(Area, false); }

void ArrangeIcons(QMdiArea& Area) {
  const QRect area = Area.viewport()->rect();
  int x = 0, y = area.bottom() + 1;
  int rowHeight = 0;
  for (QMdiSubWindow* w : Windows(Area, true)) {
    const QSize size = w->size();
    if (x > 0 && x + size.width() > area.width()) {
      // A full row: the next one starts above it.
      y -= rowHeight;
      x = 0;
      rowHeight = 0;
    }
    if (rowHeight == 0) rowHeight = size.height();
    w->move(x, y - rowHeight);
    x += size.width();
  }
}
