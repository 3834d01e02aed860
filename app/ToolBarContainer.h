#pragma once

#include <QRect>
#include <QWidget>
#include <vector>

class QToolBar;

// Holds tool bars in rows of 30 pixels. Each bar sits at its own bounds inside the container, with
// a grip drawn just left of it; dragging the grip moves the bar within its row, to another row or
// to a new row below the last. Bars in a row never overlap and empty rows close up, so the
// container is always as high as its used rows.
class TToolBarContainer : public QWidget {
  Q_OBJECT
 public:
  static constexpr int RowHeight = 30;
  static constexpr int BarTop = 2;  // a bar's top inside its row
  static constexpr int BarHeight = 26;
  static constexpr int GripWidth = 11;  // room left of each bar for its grip
  static constexpr int BarGap = 2;      // room right of each bar

  explicit TToolBarContainer(QWidget* parent = nullptr);

  // Adds a bar at its first-run bounds (left, top, width, height inside the container).
  void AddBar(QToolBar* bar, const QRect& bounds);
  int BarCount() const;
  QToolBar* Bar(int index) const;  // index = order of adding
  QRect BarBounds(int index) const;
  // The bounds are applied in one step, then the bars are laid out in their rows: the top selects
  // the row, the height is the row's, a width narrower than the bar's buttons need is widened.
  void SetBarBounds(int index, const QRect& bounds);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void LayoutChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TBarSlot {
    QToolBar* Bar;
    QRect Bounds;
  };
  struct TDrag {
    int Index = -1;  // the bar being dragged, or -1
    QPoint Start;
    int StartRows = 1;
    std::vector<QRect> StartBounds;
  };

  // Lays the requested bounds out in rows; the bar `preferred` wins a tie for a place. Returns
  // whether any bar's bounds changed.
  bool ApplyLayout(const std::vector<QRect>& requested, int preferred);
  std::vector<QRect> CurrentBounds() const;
  void DragTo(const QPoint& pos);
  int NaturalWidth(int index) const;
  int RowCount() const;
  QRect GripRect(int index) const;
  int GripAt(const QPoint& pos) const;

  std::vector<TBarSlot> FSlots;
  TDrag FDrag;
};
