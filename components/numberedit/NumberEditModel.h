#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>

#include "NumberText.h"

enum class TLimitOption { loMax, loMin };
enum class TArrowKeyDirection { adNone, adUp, adDown };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A set of TLimitOption: bit 0 loMax, bit 1 loMin.
class TLimitOptions {
 public:
  constexpr TLimitOptions() = default;
  constexpr TLimitOptions(std::initializer_list<TLimitOption> options) {
    for (TLimitOption o : options) FBits |= Bit(o);
  }
  constexpr bool Contains(TLimitOption o) const { return FBits & Bit(o); }
  constexpr bool operator==(const TLimitOptions&) const = default;

 private:
  static constexpr uint8_t Bit(TLimitOption o) { return uint8_t(1u << int(o)); }
  uint8_t FBits = 0;
};

// What the number logic needs of the single-line edit beneath it.
class TEditWidget {
 public:
  virtual ~TEditWidget() = default;
  virtual QString Text() const = 0;
  // Runs the text-changed handling synchronously when the text differs.
  virtual void SetText(const QString& text) = 0;
  virtual int SelStart() const = 0;  // 0-based caret index, or the start of the selection
  virtual int SelLength() const = 0;
  virtual QString SelText() const = 0;
  virtual void SetSelection(int start, int length) = 0;  // length 0 places the caret
  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;
  virtual bool ReadOnly() const = 0;
  virtual bool AutoSelect() const = 0;
  // Whether Ctrl is down while the current character arrives.
  virtual bool CtrlDown() const = 0;
  // The clipboard's text, if it holds any.
  virtual std::optional<QString> ClipboardText() const = 0;
  virtual void ApplyAlignment(TAlignment alignment) = 0;
};

// The number box's behaviour over any edit widget: keeps a long double Value in step with the
// text, filters keys and pasted text, steps, rounds, limits and formats.
class TNumberEditModel : public TEditWidget {
 public:
  using TNotifyEvent = std::function<void(TNumberEditModel& Sender)>;
  using TArrowKeyEvent = std::function<void(TNumberEditModel& Sender, TArrowKeyDirection Direction,
                                            long double& NewValue)>;
  // The handler may clear Key to swallow the character.
  using TKeyPressEvent = std::function<void(TNumberEditModel& Sender, QChar& Key)>;

  explicit TNumberEditModel(const TNumberLocale& locale);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  bool AllowKeys() const { return FAllowKeys; }
  void SetAllowKeys(bool value) { FAllowKeys = value; }
  bool Comma() const { return FComma; }
  void SetComma(bool value);
  int32_t Figure() const { return FFigure; }
  void SetFigure(int32_t value);
  bool Fixed() const { return FFixed; }
  void SetFixed(bool value);
  long double Increment() const { return FIncrement; }
  void SetIncrement(long double value);
  bool Limit() const { return FLimit; }
  void SetLimit(bool value);
  TLimitOptions LimitOptions() const { return FLimitOptions; }
  void SetLimitOptions(TLimitOptions value);
  long double Max() const { return FMax; }
  void SetMax(long double value);
  int32_t MaxIntLength() const { return FMaxIntLength; }
  void SetMaxIntLength(int32_t value) { FMaxIntLength = value; }
  long double Min() const { return FMin; }
  void SetMin(long double value);
  TNumberType NumberType() const { return FNumberType; }
  void SetNumberType(TNumberType value);
  TRoundMode RoundMode() const { return FRoundMode; }
  void SetRoundMode(TRoundMode value) { FRoundMode = value; }
  bool ValidMinus() const { return FValidMinus; }
  void SetValidMinus(bool value);
  long double Value() const { return FValue; }
  void SetValue(long double value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool value) { FWrap = value; }
  bool ZeroEnabled() const { return FZeroEnabled; }
  void SetZeroEnabled(bool value);
  bool ZeroVisible() const { return FZeroVisible; }
  void SetZeroVisible(bool value);

  int32_t AsInteger() const { return IntValue(); }
  void SetAsInteger(int32_t value) { SetValue(value); }
  int64_t AsInt64() const;
  void SetAsInt64(int64_t value) { SetValue(value); }
  int32_t IntValue() const;
  QString AsText() const;
  // The display text of the current value; normalises Value to exactly what it shows.
  QString FormattedText();

  void SetOnArrowKeyChange(TArrowKeyEvent handler) { FOnArrowKeyChange = std::move(handler); }
  void SetOnChange(TNotifyEvent handler) { FOnChange = std::move(handler); }
  void SetOnEnter(TNotifyEvent handler) { FOnEnter = std::move(handler); }
  void SetOnExit(TNotifyEvent handler) { FOnExit = std::move(handler); }
  void SetOnKeyPress(TKeyPressEvent handler) { FOnKeyPress = std::move(handler); }

 protected:
  // Entry points for the widget's events.
  void Initialize();  // the first text, once the widget can take it
  void Change();      // after every change of the text
  // Character handling: returns the character the widget is to process, or a null QChar when it
  // is swallowed.
  virtual QChar KeyPress(QChar key);
  void ArrowKeyDown(TArrowKeyDirection direction);
  void Paste();
  void PasteText(const QString& clip);
  void FocusEnter();
  void FocusExit();

  virtual void DoArrowKeyChange(TArrowKeyDirection direction, long double& newValue);
  virtual void StepValue(TArrowKeyDirection direction);
  // Value stepped by Increment in `direction` and kept within the limits, jumping to the
  // opposite limit when `wrap` is set.
  long double SteppedValue(TArrowKeyDirection direction, bool wrap) const;
  long double TextToValue(const QString& text) const;

 private:
  class TChangeSaveScope;

  bool IsKeyAllowed(QChar key) const;
  bool IsIntegerDigitAllowed(QChar key) const;
  void EditSign(QChar key);
  long double Clamped(long double value) const;
  bool ClampApplies() const { return FLimit && (FValue != 0 || !FZeroEnabled); }
  void Reformat() { SetText(FormattedText()); }
  QString HexDisplayText();
  QString DecimalDisplayText() const;
  QString HexText(int64_t value) const;
  QString FixedDecimals(const QString& s) const;

  TAlignment FAlignment = TAlignment::taRightJustify;
  bool FAllowKeys = false;
  bool FChangeSave = false;
  bool FComma = false;
  int32_t FFigure = -1;
  bool FFixed = false;
  long double FIncrement = 1;
  bool FKeyin = false;
  bool FLimit = false;
  TLimitOptions FLimitOptions{TLimitOption::loMax, TLimitOption::loMin};
  long double FMax = 0;
  int32_t FMaxIntLength = 0;
  long double FMin = 0;
  TArrowKeyEvent FOnArrowKeyChange;
  TRoundMode FRoundMode = TRoundMode::rmDown;
  long double FValue = 0;
  TNumberType FNumberType = TNumberType::ntDecimal;
  bool FValidMinus = false;
  bool FWrap = false;
  bool FZeroEnabled = true;
  bool FZeroVisible = true;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyPressEvent FOnKeyPress;
  TNumberText FText;
};
