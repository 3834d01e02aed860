#pragma once

#include <QByteArray>
#include <QChar>
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "AnsiCodec.h"
#include "IniFileFormat.h"
#include "IniSections.h"
#include "IniTypes.h"
#include "IniValueText.h"

class QWidget;

// Which folder holds the settings file.
enum class TDefaultFolder { dfAppData, dfApplication, dfUser, dfWindows, dfMyDocuments };

// An INI-style settings file kept wholly in memory: read when created or reloaded, answered from
// memory, written back on Update, on destruction (AutoUpdate) or after every change
// (UpdateAtOnce). It never reports an error: a missing or malformed value gives the caller's
// default, and a file that cannot be read or written leaves the store as it is.
class TExtIniFile : public QObject {
 public:
  using TNotifyEvent = std::function<void(QObject* Sender)>;

  explicit TExtIniFile(QObject* AOwner = nullptr);
  ~TExtIniFile() override;
  TExtIniFile(const TExtIniFile&) = delete;
  TExtIniFile& operator=(const TExtIniFile&) = delete;

  bool AutoUpdate() const { return FAutoUpdate; }
  void SetAutoUpdate(bool Value) { FAutoUpdate = Value; }
  bool CaseSensitive() const { return FSections.CaseSensitive(); }
  void SetCaseSensitive(bool Value) { FSections.SetCaseSensitive(Value); }
  TDefaultFolder DefaultFolder() const { return FDefaultFolder; }
  // Saves the content to the old place (AutoUpdate, and only when there is content), then loads
  // the file of the new folder.
  void SetDefaultFolder(TDefaultFolder Value);
  TIniEncoding Encoding() const { return FEncoding; }
  void SetEncoding(TIniEncoding Value) { FEncoding = Value; }
  // A file name in the folder, or a full path with dfUser; empty means the application's name
  // with ".ini". Setting it saves as SetDefaultFolder does, then loads the named file.
  const QString& FileName() const { return FFileName; }
  void SetFileName(const QString& Value);
  bool UpdateAtOnce() const { return FUpdateAtOnce; }
  // Setting it to true writes the file at once.
  void SetUpdateAtOnce(bool Value);
  void SetOnLoad(TNotifyEvent Value) { FOnLoad = std::move(Value); }
  void SetOnUpdate(TNotifyEvent Value) { FOnUpdate = std::move(Value); }

  // Character set of ieDefault files and of the Unicode scramble key; the locale's by default.
  // Throws Exception for a name the system does not know.
  const QByteArray& AnsiCodePage() const { return FAnsi.CodePage(); }
  void SetAnsiCodePage(const QByteArray& Value) { FAnsi = TAnsiCodec(Value); }
  // Decimal separator of floating-point and currency values; the locale's by default.
  QChar DecimalSeparator() const { return FDecimalSeparator; }
  void SetDecimalSeparator(QChar Value) { FDecimalSeparator = Value; }

  QString AbsoluteFileName() const { return FFolderPath + FIniFileName; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  int32_t SectionCount() const { return static_cast<int32_t>(FSections.Count()); }
  // The live lines of a section, or nullptr. Editing them edits the store without setting Modified.
  QStringList* Items(const QString& Section);
  // The key of section Index without its brackets; empty for an index out of range.
  QString Sections(int32_t Index) const;

  void Reload();
  // Writes the whole file now (even when nothing changed), then raises OnUpdate.
  void Update();
  void Clear();
  void Erase();
  void EraseSection(const QString& Section);
  // Removes the item; an item holding a record tag takes the record's fields with it.
  void DeleteItem(const QString& Section, const QString& Item);
  bool ItemExists(const QString& Section, const QString& Item) const;
  bool SectionExists(const QString& Section) const;
  // False, changing nothing, unless Section exists and NewSection does not.
  bool RenameSection(const QString& Section, const QString& NewSection);
  // Moves the file on disk to NewName in NewFolder (a full path with dfUser). Returns false and
  // changes nothing when the folder cannot be made, when a dfUser path names no folder, or when
  // the target is the file in use (copying it onto itself and deleting it would lose it). Throws
  // Exception when the file cannot be copied.
  bool Rename(TDefaultFolder NewFolder, const QString& NewName);
  // Copies the file on disk (not the memory content) to Dest, if the file exists. Throws
  // Exception when it cannot be read or Dest cannot be written.
  void Copy(const QString& Dest) const;
  void ReadSection(const QString& Section, QStringList& List) const;
  void ReadSectionName(QStringList& List) const;

  // Scalar entries. Readers give Default for a missing or unparsable value; every writer except
  // WriteDirectory writes the file when UpdateAtOnce is set.
  bool ReadBool(const QString& Section, const QString& Item, bool Default) const;
  void WriteBool(const QString& Section, const QString& Item, bool Value);
  int32_t ReadInt(const QString& Section, const QString& Item, int32_t Default) const;
  void WriteInt(const QString& Section, const QString& Item, int32_t Value);
  int64_t ReadInt64(const QString& Section, const QString& Item, int64_t Default) const;
  void WriteInt64(const QString& Section, const QString& Item, int64_t Value);
  uint32_t ReadCardinal(const QString& Section, const QString& Item, uint32_t Default) const;
  void WriteCardinal(const QString& Section, const QString& Item, uint32_t Value);
  uint32_t ReadUInt(const QString& Section, const QString& Item, uint32_t Default) const;
  void WriteUInt(const QString& Section, const QString& Item, uint32_t Value);
  TColor ReadColor(const QString& Section, const QString& Item, TColor Default) const;
  void WriteColor(const QString& Section, const QString& Item, TColor Value);
  long double ReadFloat(const QString& Section, const QString& Item, long double Default) const;
  void WriteFloat(const QString& Section, const QString& Item, long double Value);
  Currency ReadCurr(const QString& Section, const QString& Item, Currency Default) const;
  void WriteCurr(const QString& Section, const QString& Item, Currency Value);
  TDateTime ReadDateTime(const QString& Section, const QString& Item, TDateTime Default) const;
  void WriteDateTime(const QString& Section, const QString& Item, TDateTime Value);
  TDateTime ReadDate(const QString& Section, const QString& Item, TDateTime Default) const;
  void WriteDate(const QString& Section, const QString& Item, TDateTime Value);
  TDateTime ReadTime(const QString& Section, const QString& Item, TDateTime Default) const;
  void WriteTime(const QString& Section, const QString& Item, TDateTime Value);
  QString ReadStr(const QString& Section, const QString& Item, const QString& Default) const;
  void WriteStr(const QString& Section, const QString& Item, const QString& Value);
  QString ReadDirectory(const QString& Section, const QString& Item, const QString& Default) const;
  void WriteDirectory(const QString& Section, const QString& Item, const QString& Path);
  // Scrambled texts: a byte string keyed by a byte password, and a text keyed by a password that
  // is taken in the ANSI code page. A stored text that does not unscramble gives Default.
  QByteArray ReadStrEx(const QString& Section, const QString& Item, const QByteArray& Default,
                       const QByteArray& Password) const;
  void WriteStrEx(const QString& Section, const QString& Item, const QByteArray& Value,
                  const QByteArray& Password);
  QString ReadStrEx(const QString& Section, const QString& Item, const QString& Default,
                    const QString& Password) const;
  void WriteStrEx(const QString& Section, const QString& Item, const QString& Value,
                  const QString& Password);

  // Records. Readers keep a field's current value wherever its entry is missing or unparsable.
  void WriteFont(const QString& Section, const QString& Item, const TFont& Font);
  void ReadFont(const QString& Section, const QString& Item, TFont& Font) const;
  void WritePoint(const QString& Section, const QString& Item, const TPoint& Value);
  TPoint ReadPoint(const QString& Section, const QString& Item, const TPoint& Default) const;
  void WriteRect(const QString& Section, const QString& Item, const TRect& Value);
  TRect ReadRect(const QString& Section, const QString& Item, const TRect& Default) const;
  // Shrinking a list deletes the entries beyond its new end.
  void WriteList(const QString& Section, const QString& Item, const QStringList& List);
  // Missing entries are skipped, not read as empty texts.
  void ReadList(const QString& Section, const QString& Item, QStringList& List) const;

  // Window placement of top-level widgets. A form not yet showing stays hidden and is given
  // the stored normal bounds and, when stored so, the maximised state; it is never restored
  // minimised.
  void WriteForm(const QString& Section, const QString& Item, const QWidget& Form);
  void ReadForm(const QString& Section, const QString& Item, QWidget& Form) const;
  void ReadFormEx(const QString& Section, const QString& Item, QWidget& Form) const;
  void WriteForm2(const QString& Section, const QWidget& Form);
  void ReadForm2(const QString& Section, QWidget& Form) const;
  void ReadFormEx2(const QString& Section, QWidget& Form) const;
  void ReadWinPos(const QString& Section, const QString& Item, QWidget& Form) const;
  // The stored size at the window's current position.
  void ReadWinSize(const QString& Section, const QString& Item, QWidget& Form) const;
  void ReadWinSizeEx(const QString& Section, const QString& Item, QWidget& Form) const;
  // Bounds of any widget (its geometry within its parent).
  void WriteBounds(const QString& Section, const QString& Item, const QWidget& AControl);
  void ReadBounds(const QString& Section, const QString& Item, QWidget& AControl) const;
  void ReadPos(const QString& Section, const QString& Item, QWidget& AControl) const;
  void ReadSize(const QString& Section, const QString& Item, QWidget& AControl) const;

 protected:
  // Index of the section named with or without brackets, or -1.
  qsizetype FindSection(const QString& Section) const;
  // Index of the item's line in its section, or -1; Value receives its value (else empty).
  qsizetype LookupItem(const QString& Section, const QString& Item, QString& Value) const;
  // Replaces the item's line in place, or appends it; an empty value moves the line to the end.
  void StoreItem(const QString& Section, const QString& Item, const QString& Value);

 private:
  static QString Bracketed(const QString& Section);
  QString FolderFor(TDefaultFolder Folder) const;
  void SaveFile(bool OnlyIfNotEmpty);
  QString ComposeText() const;
  void ParseText(const QString& Text);
  void UpdateIfAtOnce();
  // DeleteItem without writing the file; false when the item is missing.
  bool RemoveItem(const QString& Section, const QString& Item);
  void RemoveItemLine(const QString& Section, const QString& Item);
  void ReadFormPlacement(const QString& Section, const QString& Item, QWidget& Form,
                         bool KeepPosition) const;
  void ReadClientSize(const QString& Section, const QString& Item, QWidget& Form) const;
  // Whether Line is an item line of that name (Name holds no "=").
  bool NameMatches(const QString& Line, const QString& Name) const;
  static QString ListEntryName(const QString& Item, int32_t Index);
  // Indexes in [First, End) of the list entries present in the section, in ascending order.
  QList<int32_t> ListEntries(const QString& Section, const QString& Item, int32_t First,
                             int32_t End) const;

  QString FAppName;
  bool FAutoUpdate = true;
  TDefaultFolder FDefaultFolder = TDefaultFolder::dfApplication;
  TIniEncoding FEncoding = TIniEncoding::ieDefault;
  QString FFileName;
  QString FFolderPath;
  QString FIniFileName;
  bool FModified = false;
  TNotifyEvent FOnLoad;
  TNotifyEvent FOnUpdate;
  TIniSections FSections;
  bool FUpdateAtOnce = false;
  TAnsiCodec FAnsi;
  QChar FDecimalSeparator;
};
