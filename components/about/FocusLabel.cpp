#include "FocusLabel.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QUrl>

#include "ErrorGuard.h"

namespace {

void OpenInDesktop(const QString& LinkText) {
  QDesktopServices::openUrl(QUrl::fromUserInput(LinkText));
}

}  // namespace

TFocusLabel::TFocusLabel(QWidget* Parent)
    : QLabel(Parent),
      FDefaultCursor(cursor()),
      FFocusedCursor(cursor()),
      FFocusedFont(font()),
      FFocusedColor(palette().color(QPalette::WindowText)),
      FOpener(OpenInDesktop) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setMouseTracking(true);  // hover follows the mouse without a button held
  setFocusPolicy(Qt::NoFocus);
}

void TFocusLabel::SetFontChange(bool Value) {
  FFontChange = Value;
  update();
}

void TFocusLabel::SetFocusedCursor(const QCursor& Value) {
  FFocusedCursor = Value;
  if (FMouseOnFlag) ChangeOwnCursor(FFocusedCursor);
}

void TFocusLabel::SetFocusedFont(const QFont& Value) {
  FFocusedFont = Value;
  update();
}

void TFocusLabel::SetFocusedColor(const QColor& Value) {
  FFocusedColor = Value;
  update();
}

// A link is reachable with Tab, so that it can be opened without a mouse.
void TFocusLabel::SetLinking(bool Value) {
  FLinking = Value;
  setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
}

void TFocusLabel::ExecuteLink() {
  if (!FLinkText.isEmpty()) FOpener(FLinkText);
}

QRect TFocusLabel::TextRect() const {
  const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
  QRect rect(QPoint(0, 0), text);
  const Qt::Alignment align = QStyle::visualAlignment(layoutDirection(), alignment());
  if (align & Qt::AlignRight)
    rect.translate(width() - text.width(), 0);
  else if (align & Qt::AlignHCenter)
    rect.translate((width() - text.width()) / 2, 0);
  if (align & Qt::AlignVCenter)
    rect.translate(0, (height() - text.height()) / 2);
  else if (align & Qt::AlignBottom)
    rect.translate(0, height() - text.height());
  return rect;
}

void TFocusLabel::ChangeOwnCursor(const QCursor& Cursor) {
  FCursorChanging = true;
  setCursor(Cursor);
  FCursorChanging = false;
}

// Someone else set the cursor: it becomes the one shown off the text, while the text keeps
// showing FocusedCursor.
void TFocusLabel::CursorChanged() {
  FDefaultCursor = cursor();
  if (FMouseOnFlag) ChangeOwnCursor(FFocusedCursor);
}

bool TFocusLabel::event(QEvent* Event) {
  if (Event->type() == QEvent::CursorChange && !FCursorChanging)
    RunGuarded([this] { CursorChanged(); });
  return QLabel::event(Event);
}

void TFocusLabel::mouseMoveEvent(QMouseEvent* Event) {
  RunGuarded([&] {
    FMousePosition = Event->position().toPoint();
    const bool over = TextRect().contains(FMousePosition);
    if (over != FMouseOnFlag) {
      FMouseOnFlag = over;
      ChangeOwnCursor(over ? FFocusedCursor : FDefaultCursor);
      update();
    }
  });
  QLabel::mouseMoveEvent(Event);
}

void TFocusLabel::enterEvent(QEnterEvent* Event) {
  FMousePosition = Event->position().toPoint();
  update();
  QLabel::enterEvent(Event);
}

void TFocusLabel::leaveEvent(QEvent* Event) {
  RunGuarded([this] {
    FMouseOnFlag = false;
    FMousePosition = QPoint(-1, -1);
    ChangeOwnCursor(FDefaultCursor);
    update();
  });
  QLabel::leaveEvent(Event);
}

void TFocusLabel::mousePressEvent(QMouseEvent* Event) {
  FPressed = Event->button() == Qt::LeftButton;
  QLabel::mousePressEvent(Event);
}

// A click is a left press and release inside the label.
void TFocusLabel::mouseReleaseEvent(QMouseEvent* Event) {
  const bool clicked =
      FPressed && Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint());
  FPressed = false;
  if (clicked) RunGuarded([&] { Click(Event->position().toPoint()); });
  QLabel::mouseReleaseEvent(Event);
}

void TFocusLabel::keyPressEvent(QKeyEvent* Event) {
  const int key = Event->key();
  if (FLinking && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    RunGuarded([this] { Link(); });
    Event->accept();
    return;
  }
  QLabel::keyPressEvent(Event);
}

void TFocusLabel::Click(const QPoint& Position) {
  if (FAcceptOnText && !TextRect().contains(Position)) return;
  if (FLinking) Link();
}

void TFocusLabel::Link() {
  bool link = true;
  if (FOnLink) FOnLink(this, link);
  if (link) ExecuteLink();
}

void TFocusLabel::paintEvent(QPaintEvent*) {
  const QRect textRect = TextRect();
  const bool focused = FFontChange && FMouseOnFlag && textRect.contains(FMousePosition);
  QPainter painter(this);
  painter.setFont(focused ? FFocusedFont : font());
  painter.setPen(focused ? FFocusedColor : palette().color(foregroundRole()));
  int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()));
  flags |= wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
  painter.drawText(contentsRect(), flags, text());
  if (hasFocus()) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = textRect.intersected(rect());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
  }
}
