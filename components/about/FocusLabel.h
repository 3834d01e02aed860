#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <functional>

using TOpenLinkEvent = std::function<void(QObject* Sender, bool& Link)>;
using TLinkOpener = std::function<void(const QString& LinkText)>;

// A label that changes its font and cursor while the mouse is over its text and, when Linking is
// on, opens its LinkText on a click on the text or on Enter or Space while it has the focus.
class TFocusLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TFocusLabel(QWidget* Parent = nullptr);

  bool AcceptOnText() const { return FAcceptOnText; }
  void SetAcceptOnText(bool Value) { FAcceptOnText = Value; }
  bool FontChange() const { return FFontChange; }
  void SetFontChange(bool Value);
  const QCursor& FocusedCursor() const { return FFocusedCursor; }
  void SetFocusedCursor(const QCursor& Value);
  // The font and text colour shown while the mouse is over the text.
  const QFont& FocusedFont() const { return FFocusedFont; }
  void SetFocusedFont(const QFont& Value);
  const QColor& FocusedColor() const { return FFocusedColor; }
  void SetFocusedColor(const QColor& Value);
  bool Linking() const { return FLinking; }
  void SetLinking(bool Value);
  const QString& LinkText() const { return FLinkText; }
  void SetLinkText(const QString& Value) { FLinkText = Value; }
  void SetOnLink(TOpenLinkEvent Value) { FOnLink = std::move(Value); }
  // Where ExecuteLink hands the link; the desktop's default action unless replaced.
  void SetOpener(TLinkOpener Value) { FOpener = std::move(Value); }

  void ExecuteLink();

  // The hover state: the last mouse move inside the label landed on the text.
  bool MouseOnText() const { return FMouseOnFlag; }
  // The rectangle of the caption, one line in the normal font, placed by the alignment.
  QRect TextRect() const;

 protected:
  bool event(QEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void enterEvent(QEnterEvent* Event) override;
  void leaveEvent(QEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;

 private:
  void Click(const QPoint& Position);
  void Link();
  void ChangeOwnCursor(const QCursor& Cursor);
  void CursorChanged();

  bool FCursorChanging = false;
  QCursor FDefaultCursor;
  bool FMouseOnFlag = false;
  QPoint FMousePosition{-1, -1};
  bool FPressed = false;
  bool FAcceptOnText = true;
  bool FFontChange = true;
  QCursor FFocusedCursor;
  QFont FFocusedFont;
  QColor FFocusedColor;
  QString FLinkText;
  bool FLinking = false;
  TOpenLinkEvent FOnLink;
  TLinkOpener FOpener;
};
