#include "UpdownNumberEdit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>

namespace {

// Hold a button: the first repeat after 300 ms, then every 100 ms (the toolkit's button repeat).
constexpr int kRepeatDelay = 300;
constexpr int kRepeatInterval = 100;

}  // namespace

// ---- TInnerUpdown ----

TInnerUpdown::TInnerUpdown(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);  // a click leaves the keyboard with the edit
  setCursor(Qt::ArrowCursor);
  connect(&FRepeat, &QTimer::timeout, this, &TInnerUpdown::RepeatTick);
}

void TInnerUpdown::SetOrientation(TUDOrientation value) {
  FOrientation = value;
  update();
}

QRect TInnerUpdown::ButtonRect(TUpDownDirection direction) const {
  const QRect r = rect();
  if (FOrientation == TUDOrientation::udVertical) {
    const int half = r.height() / 2;
    return direction == TUpDownDirection::updUp ? QRect(0, 0, r.width(), half)
                                                : QRect(0, half, r.width(), r.height() - half);
  }
  const int half = r.width() / 2;
  return direction == TUpDownDirection::updDown ? QRect(0, 0, half, r.height())
                                                : QRect(half, 0, r.width() - half, r.height());
}

TUpDownDirection TInnerUpdown::DirectionAt(QPoint pos) const {
  for (TUpDownDirection d : {TUpDownDirection::updUp, TUpDownDirection::updDown})
    if (ButtonRect(d).contains(pos)) return d;
  return TUpDownDirection::updNone;
}

void TInnerUpdown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool vertical = FOrientation == TUDOrientation::udVertical;
  for (TUpDownDirection d : {TUpDownDirection::updUp, TUpDownDirection::updDown}) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = ButtonRect(d);
    const bool down = FPressed == d && FPressedUnderMouse;
    button.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
    QStyleOption arrow(button);
    arrow.rect = button.rect.adjusted(2, 1, -2, -1);
    const bool up = d == TUpDownDirection::updUp;
    const QStyle::PrimitiveElement element =
        vertical ? (up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown)
                 : (up ? QStyle::PE_IndicatorArrowRight : QStyle::PE_IndicatorArrowLeft);
    style()->drawPrimitive(element, &arrow, &painter, this);
  }
}

void TInnerUpdown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  FPressed = DirectionAt(event->position().toPoint());
  if (FPressed == TUpDownDirection::updNone) return;
  FPressedUnderMouse = true;
  update();
  FRepeat.start(kRepeatDelay);
  Changing();
}

// Like any push button, a held button repeats only while the pointer stays on it.
void TInnerUpdown::mouseMoveEvent(QMouseEvent* event) {
  const bool under =
      FPressed != TUpDownDirection::updNone && DirectionAt(event->position().toPoint()) == FPressed;
  if (under == FPressedUnderMouse) return;
  FPressedUnderMouse = under;
  update();
}

void TInnerUpdown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  FRepeat.stop();
  FPressed = TUpDownDirection::updNone;
  FPressedUnderMouse = false;
  update();
}

void TInnerUpdown::RepeatTick() {
  FRepeat.setInterval(kRepeatInterval);
  if (FPressedUnderMouse) Changing();
}

void TInnerUpdown::Changing() {
  if (FOnChanging) FOnChanging(FPressed);
}

// ---- TUpdownNumberEdit ----

TUpdownNumberEdit::TUpdownNumberEdit(QWidget* parent, const TNumberLocale& locale)
    : TNumberEdit(parent, locale) {
  Updown();
  SetAllowKeys(true);
  UpdateUpdownBounds();
}

TInnerUpdown* TUpdownNumberEdit::Updown() {
  if (!FUpdown) {
    FUpdown = new TInnerUpdown(this);
    FUpdown->SetOrientation(FOrientation);
    FUpdown->setVisible(FVisibleUpdown);
    FUpdown->SetOnChanging([this](TUpDownDirection d) { UpdownChanging(d); });
  }
  return FUpdown;
}

void TUpdownNumberEdit::SetOrientation(TUDOrientation value) {
  FOrientation = value;
  Updown()->SetOrientation(value);
  UpdateUpdownBounds();
}

void TUpdownNumberEdit::SetVisibleUpdown(bool value) {
  FVisibleUpdown = value;
  Updown()->setVisible(value);
  UpdateUpdownBounds();
}

// As wide as a scroll bar is thick when upright; ten pixels wider lying down.
int TUpdownNumberEdit::UpdownWidth() const {
  const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  return FOrientation == TUDOrientation::udVertical ? extent : extent + 10;
}

// The buttons fill the right end of the area inside the frame; the text stops 2 pixels short of
// them (the line edit keeps its own 2-pixel margin), or of the frame when they are hidden.
void TUpdownNumberEdit::UpdateUpdownBounds() {
  TInnerUpdown* updown = Updown();
  QStyleOptionFrame frame;
  initStyleOption(&frame);
  const int border =
      hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this) : 0;
  const QRect client = rect().adjusted(border, border, -border, -border);
  const int width = FVisibleUpdown ? UpdownWidth() : 0;
  updown->setGeometry(client.right() + 1 - width, client.top(), width, client.height());
  setTextMargins(0, 0, width, 0);
}

void TUpdownNumberEdit::resizeEvent(QResizeEvent* event) {
  TNumberEdit::resizeEvent(event);
  UpdateUpdownBounds();
}

void TUpdownNumberEdit::changeEvent(QEvent* event) {
  TNumberEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
    UpdateUpdownBounds();
}

void TUpdownNumberEdit::DoUDChanged() {
  SetModified(true);
  if (FOnUDChanged) FOnUDChanged(*this);
}

void TUpdownNumberEdit::DoUDClick(bool& allowChange, TUpDownDirection direction,
                                  long double newValue) {
  if (FOnUDClick) FOnUDClick(*this, allowChange, newValue, direction);
}

// With the buttons showing, the arrow keys ask OnUDClick as the buttons do; a step that would not
// change the value arrives vetoed.
void TUpdownNumberEdit::StepValue(TArrowKeyDirection direction) {
  if (!FVisibleUpdown) {
    TNumberEdit::StepValue(direction);
    return;
  }
  const long double v = SteppedValue(direction, Wrap());
  bool allowChange = v != Value();
  DoUDClick(allowChange, static_cast<TUpDownDirection>(direction), v);
  if (allowChange) SetValue(v);
}

// A button click: the focus comes into the edit first; a step past a limit stops at the limit (the
// buttons never wrap); a read-only edit ignores the click.
void TUpdownNumberEdit::UpdownChanging(TUpDownDirection direction) {
  Guarded([this, direction] {
    if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    const long double v = SteppedValue(static_cast<TArrowKeyDirection>(direction), false);
    if (ReadOnly()) return;
    bool allowChange = true;
    DoUDClick(allowChange, direction, v);
    if (!allowChange) return;
    SetValue(v);
    SetModified(true);
    DoUDChanged();
  });
}

QChar TUpdownNumberEdit::KeyPress(QChar key) {
  if (key != QChar(13)) return TNumberEdit::KeyPress(key);
  TNumberEdit::KeyPress(key);
  ClickDefaultButton();
  return {};
}

// The first enabled, showing default push button among the children of the edit's container, then
// of its container, up to the window.
void TUpdownNumberEdit::ClickDefaultButton() {
  for (QWidget* container = parentWidget(); container;
       container = container->isWindow() ? nullptr : container->parentWidget()) {
    for (QObject* child : container->children()) {
      auto* button = qobject_cast<QPushButton*>(child);
      if (button && button->isDefault() && button->isEnabled() && button->isVisible()) {
        button->click();
        return;
      }
    }
  }
}
