#include "ToolBarContainer.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <algorithm>
#include <map>

#include "Fonts.h"

namespace {

int RowOf(const QRect& bounds) { return std::max(0, bounds.top()) / TToolBarContainer::RowHeight; }

QRect RowBounds(int row, int left, int width) {
  return QRect(left, row * TToolBarContainer::RowHeight + TToolBarContainer::BarTop, width,
               TToolBarContainer::BarHeight);
}

}  // namespace

TToolBarContainer::TToolBarContainer(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setMouseTracking(true);  // the grip shows the move cursor while hovered
  setFixedHeight(RowHeight);
}

void TToolBarContainer::AddBar(QToolBar* bar, const QRect& bounds) {
  bar->setFont(WindowFont());
  bar->setIconSize(QSize(16, 16));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Outside a main window a tool bar cannot move itself; this container moves it by its grip.
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setParent(this);
  bar->installEventFilter(this);
  FSlots.push_back({bar, bounds});
  ApplyLayout(CurrentBounds(), BarCount() - 1);
  bar->show();
}

int TToolBarContainer::BarCount() const { return static_cast<int>(FSlots.size()); }

QToolBar* TToolBarContainer::Bar(int index) const {
  return index >= 0 && index < BarCount() ? FSlots[index].Bar : nullptr;
}

QRect TToolBarContainer::BarBounds(int index) const {
  return index >= 0 && index < BarCount() ? FSlots[index].Bounds : QRect();
}

void TToolBarContainer::SetBarBounds(int index, const QRect& bounds) {
  if (index < 0 || index >= BarCount()) return;
  std::vector<QRect> requested = CurrentBounds();
  requested[index] = bounds;
  if (ApplyLayout(requested, index)) emit LayoutChanged();
}

QSize TToolBarContainer::sizeHint() const {
  int width = 0;
  for (const TBarSlot& slot : FSlots) width = std::max(width, slot.Bounds.right() + 1 + BarGap);
  return QSize(width, RowCount() * RowHeight);
}

QSize TToolBarContainer::minimumSizeHint() const { return QSize(0, RowCount() * RowHeight); }

bool TToolBarContainer::ApplyLayout(const std::vector<QRect>& requested, int preferred) {
  // Rows are numbered by the requested tops; empty rows close up.
  std::map<int, std::vector<int>> rows;
  for (int i = 0; i < BarCount(); ++i) rows[RowOf(requested[i])].push_back(i);

  std::vector<QRect> laidOut(requested.size());
  int row = 0;
  for (auto& [requestedRow, members] : rows) {
    std::sort(members.begin(), members.end(), [&](int a, int b) {
      if (requested[a].left() != requested[b].left())
        return requested[a].left() < requested[b].left();
      if ((a == preferred) != (b == preferred)) return a == preferred;
      return a < b;
    });
    // Each bar starts after the grip of its own and the end of the previous one.
    int minLeft = GripWidth;
    for (int i : members) {
      const int left = std::max(requested[i].left(), minLeft);
      const int width = std::max(requested[i].width(), NaturalWidth(i));
      laidOut[i] = RowBounds(row, left, width);
      minLeft = left + width + BarGap + GripWidth;
    }
    ++row;
  }

  bool changed = false;
  for (int i = 0; i < BarCount(); ++i) {
    if (FSlots[i].Bounds == laidOut[i]) continue;
    changed = true;
    FSlots[i].Bounds = laidOut[i];
  }
  // The geometry is set even when the stored bounds did not change: a new bar has none yet.
  for (const TBarSlot& slot : FSlots) {
    if (slot.Bar->geometry() != slot.Bounds) slot.Bar->setGeometry(slot.Bounds);
  }
  setFixedHeight(RowCount() * RowHeight);
  updateGeometry();
  update();
  return changed;
}

std::vector<QRect> TToolBarContainer::CurrentBounds() const {
  std::vector<QRect> bounds;
  for (const TBarSlot& slot : FSlots) bounds.push_back(slot.Bounds);
  return bounds;
}

int TToolBarContainer::NaturalWidth(int index) const {
  return FSlots[index].Bar->sizeHint().width();
}

int TToolBarContainer::RowCount() const {
  int rows = 1;
  for (const TBarSlot& slot : FSlots) rows = std::max(rows, RowOf(slot.Bounds) + 1);
  return rows;
}

QRect TToolBarContainer::GripRect(int index) const {
  const QRect& bounds = FSlots[index].Bounds;
  return QRect(bounds.left() - GripWidth, bounds.top(), GripWidth, bounds.height());
}

int TToolBarContainer::GripAt(const QPoint& pos) const {
  for (int i = 0; i < BarCount(); ++i) {
    if (GripRect(i).contains(pos)) return i;
  }
  return -1;
}

void TToolBarContainer::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int i = 0; i < BarCount(); ++i) {
    QStyleOption option;
    option.initFrom(this);
    option.rect = GripRect(i).adjusted(2, 2, -2, -2);
    option.state |= QStyle::State_Horizontal;
    style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, this);
  }
}

void TToolBarContainer::mousePressEvent(QMouseEvent* event) {
  const int grip = event->button() == Qt::LeftButton ? GripAt(event->position().toPoint()) : -1;
  if (grip < 0) {
    QWidget::mousePressEvent(event);
    return;
  }
  FDrag.Index = grip;
  FDrag.Start = event->position().toPoint();
  FDrag.StartRows = RowCount();
  FDrag.StartBounds = CurrentBounds();
}

void TToolBarContainer::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (FDrag.Index >= 0) {
    DragTo(pos);
  } else if (GripAt(pos) >= 0) {
    setCursor(Qt::SizeAllCursor);
  } else {
    unsetCursor();
  }
}

void TToolBarContainer::mouseReleaseEvent(QMouseEvent* event) {
  if (FDrag.Index < 0 || event->button() != Qt::LeftButton) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  DragTo(event->position().toPoint());
  FDrag.Index = -1;
  if (CurrentBounds() != FDrag.StartBounds) emit LayoutChanged();
}

void TToolBarContainer::DragTo(const QPoint& pos) {
  // Every step is laid out from the bounds at the press, so bars pushed aside by the dragged one
  // come back when it moves on. One row below the last opens a new row.
  const int row = pos.y() < 0 ? 0 : std::min(pos.y() / RowHeight, FDrag.StartRows);
  std::vector<QRect> requested = FDrag.StartBounds;
  const QRect& start = FDrag.StartBounds[FDrag.Index];
  requested[FDrag.Index] = RowBounds(row, start.left() + pos.x() - FDrag.Start.x(), start.width());
  ApplyLayout(requested, FDrag.Index);
}

bool TToolBarContainer::eventFilter(QObject* watched, QEvent* event) {
  // A bar that gains or loses buttons asks for a new layout; its natural width may have changed.
  if (event->type() == QEvent::LayoutRequest) {
    const bool ours = std::any_of(FSlots.begin(), FSlots.end(),
                                  [&](const TBarSlot& slot) { return slot.Bar == watched; });
    if (ours && FDrag.Index < 0) {
      if (ApplyLayout(CurrentBounds(), -1)) emit LayoutChanged();
    }
  }
  return QWidget::eventFilter(watched, event);
}
