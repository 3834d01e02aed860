#include "WindowPlacement.h"

#include <QWidget>
#include <algorithm>

namespace {

constexpr Qt::WindowStates kNotNormal =
    Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

int ClampCoordinate(int64_t Value) {
  return static_cast<int>(std::clamp<int64_t>(Value, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

int ClampSize(int64_t Value) {
  return static_cast<int>(std::clamp<int64_t>(Value, 0, QWIDGETSIZE_MAX));
}

}  // namespace

TWindowPlacement GetWindowPlacement(const QWidget& Form) {
  const Qt::WindowStates State = Form.windowState();
  TWindowPlacement Placement;
  Placement.ShowCmd = State & Qt::WindowMinimized                            ? kShowMinimized
                      : State & (Qt::WindowMaximized | Qt::WindowFullScreen) ? kShowMaximized
                                                                             : kShowNormal;
  if (State & Qt::WindowMaximized)
    Placement.MaxPosition = TPoint{Form.geometry().x(), Form.geometry().y()};
  const QRect Normal = State & kNotNormal && Form.normalGeometry().isValid() ? Form.normalGeometry()
                                                                             : Form.geometry();
  Placement.NormalPosition =
      TRect{Normal.x(), Normal.y(), Normal.x() + Normal.width(), Normal.y() + Normal.height()};
  return Placement;
}

void SetClientBounds(QWidget& Widget, int64_t Left, int64_t Top, int64_t Width, int64_t Height) {
  Widget.setGeometry(ClampCoordinate(Left), ClampCoordinate(Top), ClampSize(Width),
                     ClampSize(Height));
}

void SetWindowPlacement(QWidget& Form, const TWindowPlacement& Placement) {
  const TRect& Normal = Placement.NormalPosition;
  Form.setWindowState(Form.windowState() & ~kNotNormal);
  SetClientBounds(Form, Normal.Left, Normal.Top, int64_t{Normal.Right} - Normal.Left,
                  int64_t{Normal.Bottom} - Normal.Top);
  switch (Placement.ShowCmd) {
    case kShowHide:
      Form.hide();
      break;
    case kShowMinimized:
      Form.showMinimized();
      break;
    case kShowMaximized:
      Form.showMaximized();
      break;
    default:
      Form.showNormal();
      break;
  }
}
