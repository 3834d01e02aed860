// Typed entries: scalar values, scrambled texts and the records that need no window.
#include <cmath>

#include "ExtIniFile.h"
#include "IniRecords.h"
#include "StrScramble.h"

namespace {

// The date-time range: the first day of year 100 up to the end of year 9999.
constexpr long double kFirstDateTime = -657434.0L;
constexpr long double kEndDateTime = 2958466.0L;
constexpr int64_t kMSecsPerDay = 86400000;

QString ColorText(TColor Value) {
  return QStringLiteral("$%1").arg(static_cast<uint32_t>(Value), 8, 16, QChar(u'0')).toUpper();
}

}  // namespace

bool TExtIniFile::ReadBool(const QString& Section, const QString& Item, bool Default) const {
  QString Value;
  if (LookupItem(Section, Item, Value) < 0) return Default;
  return Value == u"1" || Value.compare(u"true", Qt::CaseInsensitive) == 0;
}

void TExtIniFile::WriteBool(const QString& Section, const QString& Item, bool Value) {
  WriteStr(Section, Item, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

int64_t TExtIniFile::ReadInt64(const QString& Section, const QString& Item, int64_t Default) const {
  QString Value;
  if (LookupItem(Section, Item, Value) < 0) return Default;
  return ParseIniInteger(Value).value_or(Default);
}

void TExtIniFile::WriteInt64(const QString& Section, const QString& Item, int64_t Value) {
  WriteStr(Section, Item, QString::number(Value));
}

// 32-bit readers keep the low 32 bits of the 64-bit value.
int32_t TExtIniFile::ReadInt(const QString& Section, const QString& Item, int32_t Default) const {
  return static_cast<int32_t>(ReadInt64(Section, Item, Default));
}

void TExtIniFile::WriteInt(const QString& Section, const QString& Item, int32_t Value) {
  WriteInt64(Section, Item, Value);
}

uint32_t TExtIniFile::ReadCardinal(const QString& Section, const QString& Item,
                                   uint32_t Default) const {
  return static_cast<uint32_t>(ReadInt64(Section, Item, Default));
}

void TExtIniFile::WriteCardinal(const QString& Section, const QString& Item, uint32_t Value) {
  WriteInt64(Section, Item, Value);
}

uint32_t TExtIniFile::ReadUInt(const QString& Section, const QString& Item,
                               uint32_t Default) const {
  return ReadCardinal(Section, Item, Default);
}

void TExtIniFile::WriteUInt(const QString& Section, const QString& Item, uint32_t Value) {
  WriteCardinal(Section, Item, Value);
}

TColor TExtIniFile::ReadColor(const QString& Section, const QString& Item, TColor Default) const {
  return ReadInt(Section, Item, Default);
}

void TExtIniFile::WriteColor(const QString& Section, const QString& Item, TColor Value) {
  WriteStr(Section, Item, ColorText(Value));
}

long double TExtIniFile::ReadFloat(const QString& Section, const QString& Item,
                                   long double Default) const {
  QString Value;
  if (LookupItem(Section, Item, Value) < 0) return Default;
  return ParseIniFloat(Value, FDecimalSeparator).value_or(Default);
}

void TExtIniFile::WriteFloat(const QString& Section, const QString& Item, long double Value) {
  WriteStr(Section, Item, FormatIniFloat(Value, FDecimalSeparator));
}

Currency TExtIniFile::ReadCurr(const QString& Section, const QString& Item,
                               Currency Default) const {
  QString Value;
  if (LookupItem(Section, Item, Value) < 0) return Default;
  return ParseIniCurrency(Value, FDecimalSeparator).value_or(Default);
}

void TExtIniFile::WriteCurr(const QString& Section, const QString& Item, Currency Value) {
  WriteStr(Section, Item, FormatIniCurrency(Value, FDecimalSeparator));
}

TDateTime TExtIniFile::ReadDateTime(const QString& Section, const QString& Item,
                                    TDateTime Default) const {
  const long double Value = ReadFloat(Section, Item, Default);
  if (!(Value >= kFirstDateTime && Value < kEndDateTime)) return Default;
  return static_cast<TDateTime>(Value);
}

void TExtIniFile::WriteDateTime(const QString& Section, const QString& Item, TDateTime Value) {
  WriteFloat(Section, Item, Value);
}

TDateTime TExtIniFile::ReadDate(const QString& Section, const QString& Item,
                                TDateTime Default) const {
  return std::trunc(ReadDateTime(Section, Item, Default));
}

void TExtIniFile::WriteDate(const QString& Section, const QString& Item, TDateTime Value) {
  WriteDateTime(Section, Item, Value);
}

TDateTime TExtIniFile::ReadTime(const QString& Section, const QString& Item,
                                TDateTime Default) const {
  const TDateTime Value = ReadDateTime(Section, Item, Default);
  if (!std::isfinite(Value)) return Value;
  // To the millisecond; a fraction that rounds up to a whole day is midnight.
  const auto MSecs = std::llround(std::fabs(Value - std::trunc(Value)) * kMSecsPerDay);
  return static_cast<TDateTime>(MSecs % kMSecsPerDay) / kMSecsPerDay;
}

void TExtIniFile::WriteTime(const QString& Section, const QString& Item, TDateTime Value) {
  WriteDateTime(Section, Item, Value);
}

QString TExtIniFile::ReadStr(const QString& Section, const QString& Item,
                             const QString& Default) const {
  QString Value;
  return LookupItem(Section, Item, Value) < 0 ? Default : Value;
}

void TExtIniFile::WriteStr(const QString& Section, const QString& Item, const QString& Value) {
  StoreItem(Section, Item, Value);
  UpdateIfAtOnce();
}

namespace {
QString WithTrailingDelimiter(QString Path) {
  if (!Path.isEmpty() && !Path.endsWith(u'/')) Path += u'/';
  return Path;
}
}  // namespace

QString TExtIniFile::ReadDirectory(const QString& Section, const QString& Item,
                                   const QString& Default) const {
  return WithTrailingDelimiter(ReadStr(Section, Item, Default));
}

void TExtIniFile::WriteDirectory(const QString& Section, const QString& Item, const QString& Path) {
  StoreItem(Section, Item, WithTrailingDelimiter(Path));
}

QByteArray TExtIniFile::ReadStrEx(const QString& Section, const QString& Item,
                                  const QByteArray& Default, const QByteArray& Password) const {
  QString Value;
  if (LookupItem(Section, Item, Value) < 0) return Default;
  return StrScramble::UnscrambleBytes(Value, Password).value_or(Default);
}

void TExtIniFile::WriteStrEx(const QString& Section, const QString& Item, const QByteArray& Value,
                             const QByteArray& Password) {
  WriteStr(Section, Item, StrScramble::ScrambleBytes(Value, Password));
}

QString TExtIniFile::ReadStrEx(const QString& Section, const QString& Item, const QString& Default,
                               const QString& Password) const {
  QString Value;
  if (LookupItem(Section, Item, Value) < 0) return Default;
  return StrScramble::UnscrambleText(Value, FAnsi.Encode(Password)).value_or(Default);
}

void TExtIniFile::WriteStrEx(const QString& Section, const QString& Item, const QString& Value,
                             const QString& Password) {
  WriteStr(Section, Item, StrScramble::ScrambleText(Value, FAnsi.Encode(Password)));
}

void TExtIniFile::WriteFont(const QString& Section, const QString& Item, const TFont& Font) {
  StoreItem(Section, Item, IniRecords::kFont);
  StoreItem(Section, Item + QStringLiteral(".charset"), QString::number(Font.Charset));
  StoreItem(Section, Item + QStringLiteral(".color"), ColorText(Font.Color));
  StoreItem(Section, Item + QStringLiteral(".height"), QString::number(Font.Height));
  StoreItem(Section, Item + QStringLiteral(".name"), Font.Name);
  StoreItem(Section, Item + QStringLiteral(".pitch"),
            QString::number(static_cast<int>(Font.Pitch)));
  const auto Flag = [](bool Value) { return Value ? QStringLiteral("1") : QStringLiteral("0"); };
  StoreItem(Section, Item + QStringLiteral(".b"), Flag(Font.Bold));
  StoreItem(Section, Item + QStringLiteral(".i"), Flag(Font.Italic));
  StoreItem(Section, Item + QStringLiteral(".u"), Flag(Font.Underline));
  StoreItem(Section, Item + QStringLiteral(".s"), Flag(Font.StrikeOut));
  UpdateIfAtOnce();
}

void TExtIniFile::ReadFont(const QString& Section, const QString& Item, TFont& Font) const {
  Font.Charset =
      static_cast<uint8_t>(ReadInt(Section, Item + QStringLiteral(".charset"), Font.Charset));
  Font.Color = ReadColor(Section, Item + QStringLiteral(".color"), Font.Color);
  Font.Height = ReadInt(Section, Item + QStringLiteral(".height"), Font.Height);
  QString Name;
  if (LookupItem(Section, Item + QStringLiteral(".name"), Name) >= 0) Font.Name = Name;
  switch (ReadInt(Section, Item + QStringLiteral(".pitch"), static_cast<int32_t>(Font.Pitch))) {
    case 0:
      Font.Pitch = TFontPitch::fpDefault;
      break;
    case 2:
      Font.Pitch = TFontPitch::fpFixed;
      break;
    default:
      Font.Pitch = TFontPitch::fpVariable;
      break;
  }
  Font.Bold = ReadBool(Section, Item + QStringLiteral(".b"), Font.Bold);
  Font.Italic = ReadBool(Section, Item + QStringLiteral(".i"), Font.Italic);
  Font.Underline = ReadBool(Section, Item + QStringLiteral(".u"), Font.Underline);
  Font.StrikeOut = ReadBool(Section, Item + QStringLiteral(".s"), Font.StrikeOut);
}

void TExtIniFile::WritePoint(const QString& Section, const QString& Item, const TPoint& Value) {
  StoreItem(Section, Item, IniRecords::kPoint);
  StoreItem(Section, Item + QStringLiteral(".x"), QString::number(Value.X));
  StoreItem(Section, Item + QStringLiteral(".y"), QString::number(Value.Y));
  UpdateIfAtOnce();
}

TPoint TExtIniFile::ReadPoint(const QString& Section, const QString& Item,
                              const TPoint& Default) const {
  return TPoint{ReadInt(Section, Item + QStringLiteral(".x"), Default.X),
                ReadInt(Section, Item + QStringLiteral(".y"), Default.Y)};
}

void TExtIniFile::WriteRect(const QString& Section, const QString& Item, const TRect& Value) {
  StoreItem(Section, Item, IniRecords::kRect);
  StoreItem(Section, Item + QStringLiteral(".left"), QString::number(Value.Left));
  StoreItem(Section, Item + QStringLiteral(".top"), QString::number(Value.Top));
  StoreItem(Section, Item + QStringLiteral(".right"), QString::number(Value.Right));
  StoreItem(Section, Item + QStringLiteral(".bottom"), QString::number(Value.Bottom));
  UpdateIfAtOnce();
}

TRect TExtIniFile::ReadRect(const QString& Section, const QString& Item,
                            const TRect& Default) const {
  return TRect{ReadInt(Section, Item + QStringLiteral(".left"), Default.Left),
               ReadInt(Section, Item + QStringLiteral(".top"), Default.Top),
               ReadInt(Section, Item + QStringLiteral(".right"), Default.Right),
               ReadInt(Section, Item + QStringLiteral(".bottom"), Default.Bottom)};
}

void TExtIniFile::WriteList(const QString& Section, const QString& Item, const QStringList& List) {
  const QString CountItem = Item + IniRecords::kListCount;
  const int32_t Old = ReadInt(Section, CountItem, 0);
  const auto Count = static_cast<int32_t>(List.size());
  StoreItem(Section, Item, IniRecords::kList);
  StoreItem(Section, CountItem, QString::number(Count));
  for (int32_t Index = 0; Index < Count; ++Index)
    StoreItem(Section, ListEntryName(Item, Index), List.at(Index));
  const QList<int32_t> Stale = ListEntries(Section, Item, Count, Old);
  for (auto Index = Stale.crbegin(); Index != Stale.crend(); ++Index)
    RemoveItem(Section, ListEntryName(Item, *Index));
  UpdateIfAtOnce();
}

void TExtIniFile::ReadList(const QString& Section, const QString& Item, QStringList& List) const {
  List.clear();
  const int32_t Count = ReadInt(Section, Item + IniRecords::kListCount, 0);
  for (const int32_t Index : ListEntries(Section, Item, 0, Count))
    List.append(ReadStr(Section, ListEntryName(Item, Index), QString()));
}
