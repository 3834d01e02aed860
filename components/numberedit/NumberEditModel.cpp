#include "NumberEditModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Exception.h"

namespace {

constexpr QChar kBackspace = QChar(8);
constexpr QChar kTab = QChar(9);
constexpr QChar kReturn = QChar(13);

bool IsEditingKey(QChar key) { return key == kBackspace || key == kTab || key == kReturn; }

long double RequireFinite(long double value) {
  if (!std::isfinite(value)) throw EConvertError(QStringLiteral("数値が範囲外です"));
  return value;
}

}  // namespace

// Text assignments inside the scope change the text without processing it; the flag is cleared
// even when an assignment fails.
class TNumberEditModel::TChangeSaveScope {
 public:
  explicit TChangeSaveScope(TNumberEditModel& model) : FModel(model) { FModel.FChangeSave = true; }
  ~TChangeSaveScope() { FModel.FChangeSave = false; }
  TChangeSaveScope(const TChangeSaveScope&) = delete;
  TChangeSaveScope& operator=(const TChangeSaveScope&) = delete;

 private:
  TNumberEditModel& FModel;
};

TNumberEditModel::TNumberEditModel(const TNumberLocale& locale) : FText(locale) {}

void TNumberEditModel::Initialize() {
  ApplyAlignment(FAlignment);
  SetText(QStringLiteral("0"));
}

long double TNumberEditModel::TextToValue(const QString& text) const {
  return FText.TextToValue(text, FNumberType, FValidMinus);
}

// ---- property writers ----

void TNumberEditModel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  ApplyAlignment(value);
}

void TNumberEditModel::SetComma(bool value) {
  TChangeSaveScope silent(*this);
  FComma = value;
  Reformat();
}

void TNumberEditModel::SetFigure(int32_t value) {
  FFigure = value;
  Reformat();
}

void TNumberEditModel::SetFixed(bool value) {
  FFixed = value;
  Reformat();
}

void TNumberEditModel::SetIncrement(long double value) { FIncrement = RequireFinite(value); }

void TNumberEditModel::SetLimit(bool value) {
  FLimit = value;
  if (!ClampApplies()) return;
  FValue = Clamped(FValue);
  Reformat();
}

void TNumberEditModel::SetLimitOptions(TLimitOptions value) {
  FLimitOptions = value;
  if (!ClampApplies()) return;
  FValue = Clamped(FValue);
  Reformat();
}

void TNumberEditModel::SetMax(long double value) {
  FMax = RequireFinite(value);
  if (FMin > FMax) FMin = FMax;
  if ((FValue < FMin || FValue > FMax) && FLimit && FLimitOptions.Contains(TLimitOption::loMax)) {
    FValue = FMax;
    Reformat();
  }
}

void TNumberEditModel::SetMin(long double value) {
  FMin = RequireFinite(value);
  if (FMin > FMax) FMax = FMin;
  if ((FValue < FMin || FValue > FMax) && FLimit && FLimitOptions.Contains(TLimitOption::loMin)) {
    FValue = FMin;
    Reformat();
  }
}

void TNumberEditModel::SetNumberType(TNumberType value) {
  if (value == FNumberType) return;
  const QString text =
      value == TNumberType::ntDecimal ? FText.GeneralText(FValue) : HexText(IntValue());
  FNumberType = value;
  SetText(text);
}

void TNumberEditModel::SetValidMinus(bool value) {
  FValidMinus = value;
  if (FNumberType == TNumberType::ntHex) Reformat();
}

void TNumberEditModel::SetValue(long double value) {
  RequireFinite(value);
  if (!FLimit || (value == 0 && FZeroEnabled))
    FValue = value;
  else if (FLimitOptions.Contains(TLimitOption::loMin) && value < FMin)
    FValue = FMin;
  else if (FLimitOptions.Contains(TLimitOption::loMax) && value > FMax)
    FValue = FMax;
  else
    FValue = value;
  Reformat();
}

void TNumberEditModel::SetZeroEnabled(bool value) {
  FZeroEnabled = value;
  if (value || !FLimit || FValue != 0) return;
  if (FMin > 0)
    FValue = FMin;
  else if (FMax < 0)
    FValue = FMax;
}

void TNumberEditModel::SetZeroVisible(bool value) {
  if (value == FZeroVisible) return;
  FZeroVisible = value;
  if (TextToValue(Text()) == 0) Reformat();
}

// ---- whole-number and text reads ----

int64_t TNumberEditModel::AsInt64() const { return FText.WholeNumber(FValue, FRoundMode); }

int32_t TNumberEditModel::IntValue() const {
  return int32_t(std::clamp<int64_t>(AsInt64(), std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
}

QString TNumberEditModel::AsText() const {
  if (FNumberType == TNumberType::ntDecimal) return FText.GeneralText(FValue);
  if (!FValidMinus) return TNumberText::HexDigits(uint32_t(AsInteger()), 1);
  const int64_t v = AsInt64();
  const QString digits = TNumberText::HexDigits(v < 0 ? 0 - uint64_t(v) : uint64_t(v), 1);
  return Text().startsWith(u'-') ? u'-' + digits : digits;
}

// Hexadecimal text of a whole value: sign and magnitude with ValidMinus, else 32-bit two's
// complement.
QString TNumberEditModel::HexText(int64_t value) const {
  if (!FValidMinus) return TNumberText::HexDigits(uint32_t(value), FFigure);
  const QString digits =
      TNumberText::HexDigits(value < 0 ? 0 - uint64_t(value) : uint64_t(value), FFigure);
  return value < 0 ? u'-' + digits : digits;
}

long double TNumberEditModel::Clamped(long double value) const {
  if (FLimitOptions.Contains(TLimitOption::loMin) && value < FMin) value = FMin;
  if (FLimitOptions.Contains(TLimitOption::loMax) && value > FMax) value = FMax;
  return value;
}

QString TNumberEditModel::FormattedText() {
  if (ClampApplies()) FValue = Clamped(FValue);
  const QString s = FNumberType == TNumberType::ntHex ? HexDisplayText() : DecimalDisplayText();
  FValue = TextToValue(s);
  return FValue == 0 && !FZeroVisible ? QString() : s;
}

QString TNumberEditModel::HexDisplayText() {
  int64_t v = FText.WholeNumber(FValue, FRoundMode);
  if (!FValidMinus)
    v = std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<int32_t>::max());
  FValue = v;
  return HexText(v);
}

QString TNumberEditModel::DecimalDisplayText() const {
  QString s = FText.RoundText(FText.ExpandFloatText(FValue), FFigure, FRoundMode);
  if (FComma) s = FText.GroupThousands(s);
  if (FFigure >= 0 && FFixed) s = FixedDecimals(s);
  // A "+" the user typed stays in front; a negative value shows its own sign only.
  if (Text().startsWith(u'+') && !s.startsWith(u'-')) s.prepend(u'+');
  if (s.endsWith(FText.DS())) s.chop(1);
  return s;
}

QString TNumberEditModel::FixedDecimals(const QString& s) const {
  const int p = s.indexOf(FText.DS());
  if (p < 0) return FFigure >= 1 ? s + FText.DS() + QString(FFigure, u'0') : s;
  if (FFigure == 0) return s.left(p);
  const int decimals = s.size() - p - 1;
  if (decimals < FFigure) return s + QString(FFigure - decimals, u'0');
  return s.left(p + 1 + FFigure);
}

// ---- text changed ----

void TNumberEditModel::Change() {
  if (FChangeSave) return;
  QString text = Text();
  if (text.isEmpty() || text == u"-" || text == u"+") {
    FValue = 0;
    return;
  }
  long double value = TextToValue(text);
  if (FNumberType == TNumberType::ntDecimal) {
    if (FComma) {
      // Regroup as the user types; the caret follows a separator that appeared or vanished.
      const QString grouped = FText.GroupThousands(FText.WithoutSeparators(text));
      int caret = SelStart();
      {
        TChangeSaveScope silent(*this);
        SetText(grouped);
        if (grouped.size() > text.size()) ++caret;
        if (grouped.size() < text.size()) --caret;
        SetSelection(std::clamp(caret, 0, int(grouped.size())), 0);
      }
      text = grouped;
    }
    value = TextToValue(FText.RoundText(text, FFigure, FRoundMode));
  }
  FValue = value;
  if (FLimit) FValue = Clamped(FValue);
  if (FOnChange) FOnChange(*this);
}

// ---- keystrokes ----

bool TNumberEditModel::IsKeyAllowed(QChar key) const {
  if (CtrlDown()) return true;
  if (FNumberType == TNumberType::ntHex) {
    if (IsEditingKey(key) || TNumberText::IsHexDigit(key)) return true;
    if (key == u'-') return FValidMinus;
    return key == u'+' && Text().startsWith(u'-');
  }
  const bool numberKey = IsEditingKey(key) || TNumberText::IsSign(key) ||
                         TNumberText::IsDigit(key) || key == FText.DS();
  if (!numberKey) return false;
  return FMaxIntLength < 1 || IsIntegerDigitAllowed(key);
}

// MaxIntLength: a digit that would lengthen the integer part beyond the limit is refused.
bool TNumberEditModel::IsIntegerDigitAllowed(QChar key) const {
  const QString text = Text();
  const int ds = text.indexOf(FText.DS());
  const int p = (ds < 0 ? text.size() : ds) + 1;  // 1-based position of DS
  const QString integerPart = text.left(p - 1);
  const auto count = std::count_if(integerPart.begin(), integerPart.end(), [this](QChar c) {
    return !TNumberText::IsSign(c) && c != FText.TS();
  });
  if (count < FMaxIntLength) return true;
  if (IsEditingKey(key) || TNumberText::IsSign(key) || key == FText.DS()) return true;
  if (SelStart() >= p) return true;  // typing in the decimals
  if (SelLength() == 0) return false;
  const QString selected = SelText();
  const bool oneSeparatorOrSign =
      selected.size() == 1 &&
      (selected[0] == FText.TS() || selected[0] == FText.DS() || TNumberText::IsSign(selected[0]));
  return !oneSeparatorOrSign;  // the selection will be replaced
}

QChar TNumberEditModel::KeyPress(QChar key) {
  if (!IsKeyAllowed(key)) return {};
  if (TNumberText::IsSign(key)) {
    EditSign(key);
    return {};
  }
  if (key == FText.DS() && Text().contains(FText.DS())) return {};
  FKeyin = true;
  if (FOnKeyPress) FOnKeyPress(*this, key);
  return key;
}

// "+" and "-" are never inserted as typed: they edit the sign at the front of the text.
void TNumberEditModel::EditSign(QChar key) {
  if (ReadOnly()) return;
  QString text = Text();
  int caret = SelStart();
  if (caret == 0 && SelLength() > 0) text.remove(0, SelLength());
  const QChar first = text.isEmpty() ? QChar() : text[0];
  const QChar other = key == u'-' ? u'+' : u'-';
  if (key == u'+' && FNumberType == TNumberType::ntHex && first == u'-') {
    text.remove(0, 1);
  } else if (first == other) {
    text[0] = key;
  } else if (first == key) {
    text.remove(0, 1);
    --caret;
  } else {
    text.prepend(key);
    ++caret;
  }
  SetText(text);
  SetSelection(std::max(caret, 0), 0);
}

// ---- arrow keys and stepping ----

void TNumberEditModel::ArrowKeyDown(TArrowKeyDirection direction) {
  if (FAllowKeys) StepValue(direction);
}

long double TNumberEditModel::SteppedValue(TArrowKeyDirection direction, bool wrap) const {
  long double v = FValue;
  if (direction == TArrowKeyDirection::adUp) v += Increment();
  if (direction == TArrowKeyDirection::adDown) v -= Increment();
  if (!FLimit) return v;
  const bool hasMin = FLimitOptions.Contains(TLimitOption::loMin);
  const bool hasMax = FLimitOptions.Contains(TLimitOption::loMax);
  if (hasMin && v < FMin) return wrap && hasMax ? FMax : FMin;
  if (hasMax && v > FMax) return wrap && hasMin ? FMin : FMax;
  return v;
}

void TNumberEditModel::StepValue(TArrowKeyDirection direction) {
  long double v = SteppedValue(direction, FWrap);
  DoArrowKeyChange(direction, v);
  SetValue(v);
}

void TNumberEditModel::DoArrowKeyChange(TArrowKeyDirection direction, long double& newValue) {
  if (FOnArrowKeyChange) FOnArrowKeyChange(*this, direction, newValue);
}

// ---- paste ----

void TNumberEditModel::Paste() {
  if (const auto clip = ClipboardText()) PasteText(*clip);
}

// Only number characters get in, no sign except in front, and no second decimal separator.
void TNumberEditModel::PasteText(const QString& clip) {
  if (ReadOnly()) return;
  int i = SelStart();  // 0-based insertion point
  QString text = Text().remove(i, SelLength());
  if (text.indexOf(u'-', i) >= 0 || text.indexOf(u'+', i) >= 0) return;
  const bool hex = FNumberType == TNumberType::ntHex;
  for (int k = 0; k < clip.size(); ++k) {
    const QChar c = clip[k];
    bool insert = false;
    if (hex)
      insert = TNumberText::IsHexDigit(c);
    else if (TNumberText::IsSign(c))
      insert = k == 0 && i == 0 && !text.contains(u'-') && !text.contains(u'+');
    else if (c == FText.DS())
      insert = !text.contains(FText.DS());
    else
      insert = TNumberText::IsDigit(c);
    if (insert) text.insert(i++, c);
  }
  SetText(text);
  SetSelection(i, 0);
}

// ---- focus ----

void TNumberEditModel::FocusEnter() {
  const int length = Text().size();
  if (AutoSelect())
    SetSelection(0, length);
  else
    SetSelection(length, 0);
  if (FOnEnter) FOnEnter(*this);
  FKeyin = false;
}

void TNumberEditModel::FocusExit() {
  TChangeSaveScope silent(*this);
  FValue = TextToValue(Text());
  SetText(FormattedText());
  SetModified(FKeyin);
  if (FOnExit) FOnExit(*this);
}
