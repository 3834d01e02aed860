#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "NumberEdit.h"

// Same ordinals as TArrowKeyDirection, so the arrow-key path passes its direction on unchanged.
enum class TUpDownDirection { updNone, updUp, updDown };
enum class TUDOrientation { udHorizontal, udVertical };

// A pair of spin buttons. It never holds a position of its own: it reports a direction for every
// click and for every repeat tick while a button is held.
class TInnerUpdown : public QWidget {
  Q_OBJECT

 public:
  using TChangingEvent = std::function<void(TUpDownDirection Direction)>;

  explicit TInnerUpdown(QWidget* parent);

  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation value);
  // Vertical: up above down; horizontal: down left of up.
  QRect ButtonRect(TUpDownDirection direction) const;
  void SetOnChanging(TChangingEvent handler) { FOnChanging = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TUpDownDirection DirectionAt(QPoint pos) const;
  void RepeatTick();
  void Changing();

  TUDOrientation FOrientation = TUDOrientation::udVertical;
  TUpDownDirection FPressed = TUpDownDirection::updNone;
  bool FPressedUnderMouse = false;
  QTimer FRepeat;
  TChangingEvent FOnChanging;
};

// The number box with spin buttons inside its right edge; Enter presses the default button.
class TUpdownNumberEdit : public TNumberEdit {
  Q_OBJECT

 public:
  using TUDNotifyEvent = std::function<void(TUpdownNumberEdit& Sender)>;
  // The handler can veto the step by clearing AllowChange; it cannot change the value.
  using TUDClickEvent = std::function<void(TUpdownNumberEdit& Sender, bool& AllowChange,
                                           long double NewValue, TUpDownDirection Direction)>;

  explicit TUpdownNumberEdit(QWidget* parent = nullptr,
                             const TNumberLocale& locale = TNumberLocale::System());

  TUDOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TUDOrientation value);
  bool VisibleUpdown() const { return FVisibleUpdown; }
  void SetVisibleUpdown(bool value);
  void SetOnUDChanged(TUDNotifyEvent handler) { FOnUDChanged = std::move(handler); }
  void SetOnUDClick(TUDClickEvent handler) { FOnUDClick = std::move(handler); }

  // The spin buttons; made again if something else destroyed them.
  TInnerUpdown* Updown();

 protected:
  virtual void DoUDChanged();
  virtual void DoUDClick(bool& allowChange, TUpDownDirection direction, long double newValue);
  void StepValue(TArrowKeyDirection direction) override;
  QChar KeyPress(QChar key) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int UpdownWidth() const;
  void UpdateUpdownBounds();
  void UpdownChanging(TUpDownDirection direction);
  void ClickDefaultButton();

  TUDNotifyEvent FOnUDChanged;
  TUDClickEvent FOnUDClick;
  QPointer<TInnerUpdown> FUpdown;
  bool FVisibleUpdown = true;
  TUDOrientation FOrientation = TUDOrientation::udVertical;
};
