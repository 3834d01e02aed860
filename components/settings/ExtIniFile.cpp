#include "ExtIniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>

#include "Exception.h"
#include "IniRecords.h"
#include "SpecialFolders.h"

namespace {

const QString kLineBreak = QStringLiteral("\r\n");
const QString kIniExtension = QStringLiteral(".ini");

// The executable's name without folder and extension, unless the application named itself.
QString ApplicationName() {
  const QString Name = QCoreApplication::applicationName();
  if (!Name.isEmpty()) return Name;
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString WithDelimiter(const QString& Folder) {
  return Folder.isEmpty() || Folder.endsWith(u'/') ? Folder : Folder + u'/';
}

// Everything up to and including the last path delimiter; empty when there is none.
QString FolderPart(const QString& Path) { return Path.left(Path.lastIndexOf(u'/') + 1); }
QString NamePart(const QString& Path) { return Path.mid(Path.lastIndexOf(u'/') + 1); }

bool IsSameFile(const QString& A, const QString& B) {
  const QFileInfo InfoA(A), InfoB(B);
  if (InfoA.exists() && InfoB.exists())
    return InfoA.canonicalFilePath() == InfoB.canonicalFilePath();
  return QDir::cleanPath(InfoA.absoluteFilePath()) == QDir::cleanPath(InfoB.absoluteFilePath());
}

bool IsHeader(const QString& Line) {
  return Line.size() >= 2 && Line.startsWith(u'[') && Line.endsWith(u']');
}

}  // namespace

TExtIniFile::TExtIniFile(QObject* AOwner)
    : QObject(AOwner),
      FAppName(ApplicationName()),
      FAnsi(TAnsiCodec::SystemCodePage()),
      FDecimalSeparator(QLocale::system().decimalPoint().at(0)) {
  FFolderPath = FolderFor(FDefaultFolder);
  FIniFileName = FAppName + kIniExtension;
  Reload();
}

TExtIniFile::~TExtIniFile() {
  if (FAutoUpdate && !FUpdateAtOnce) SaveFile(false);
}

QString TExtIniFile::FolderFor(TDefaultFolder Folder) const {
  QString Path;
  switch (Folder) {
    case TDefaultFolder::dfAppData:
      Path = WithDelimiter(SpecialFolders::RoamingDataFolder()) + FAppName;
      break;
    case TDefaultFolder::dfApplication:
      Path = SpecialFolders::ProgramFolder();
      break;
    case TDefaultFolder::dfUser:
      return QString();
    case TDefaultFolder::dfWindows:
      Path = SpecialFolders::SystemFolder();
      break;
    case TDefaultFolder::dfMyDocuments:
      Path = WithDelimiter(SpecialFolders::DocumentsFolder()) + FAppName;
      break;
  }
  Path = WithDelimiter(Path);
  if (!Path.isEmpty()) QDir().mkpath(Path);
  return Path;
}

void TExtIniFile::SetDefaultFolder(TDefaultFolder Value) {
  if (FAutoUpdate) SaveFile(true);
  FFolderPath = FolderFor(Value);
  Reload();
  FDefaultFolder = Value;
}

void TExtIniFile::SetFileName(const QString& Value) {
  if (FAutoUpdate) SaveFile(true);
  FFileName = Value;
  FIniFileName = Value.isEmpty() ? FAppName + kIniExtension : Value;
  Reload();
}

void TExtIniFile::SetUpdateAtOnce(bool Value) {
  FUpdateAtOnce = Value;
  if (Value) Update();
}

QStringList* TExtIniFile::Items(const QString& Section) {
  const qsizetype Index = FindSection(Section);
  return Index < 0 ? nullptr : &FSections.Lines(Index);
}

QString TExtIniFile::Sections(int32_t Index) const {
  if (Index < 0 || Index >= FSections.Count()) return QString();
  const QString& Key = FSections.Key(Index);
  return Key.size() < 2 ? QString() : Key.mid(1, Key.size() - 2);
}

void TExtIniFile::Reload() {
  FSections.Clear();
  FModified = false;
  const QString Path = AbsoluteFileName();
  if (!QFileInfo::exists(Path)) return;
  try {
    QFile File(Path);
    if (!File.open(QIODevice::ReadOnly)) return;
    const QByteArray Bytes = File.readAll();
    File.close();
    ParseText(DecodeIniBytes(Bytes, FEncoding, FAnsi));
    if (FOnLoad) FOnLoad(this);
  } catch (const std::exception&) {
    // A file that cannot be read leaves the store as far as it got, without OnLoad.
  }
}

void TExtIniFile::ParseText(const QString& Text) {
  qsizetype Current = -1;
  for (const QString& Line : SplitIniLines(Text)) {
    if (IsHeader(Line))
      Current = FSections.Append(Line);
    else if (Line.size() >= 2 && Current >= 0)
      FSections.Lines(Current).append(Line);
  }
}

QString TExtIniFile::ComposeText() const {
  QString Text;
  for (qsizetype Index = 0; Index < FSections.Count(); ++Index) {
    Text += FSections.Key(Index) + kLineBreak;
    for (const QString& Line : FSections.Lines(Index)) Text += Line + kLineBreak;
    Text += kLineBreak;
  }
  return Text;
}

void TExtIniFile::SaveFile(bool OnlyIfNotEmpty) {
  if (OnlyIfNotEmpty && FSections.Count() == 0) {
    FModified = false;
    return;
  }
  try {
    // Written beside the old file and renamed over it, so an interrupted or failed write never
    // leaves a truncated settings file behind.
    QSaveFile File(AbsoluteFileName());
    if (!File.open(QIODevice::WriteOnly)) return;
    const QByteArray Bytes = EncodeIniText(ComposeText(), FEncoding, FAnsi);
    if (File.write(Bytes) != Bytes.size() || !File.commit()) return;
    FModified = false;
  } catch (const std::exception&) {
    // Unwritable: the store keeps its content and Modified.
  }
}

void TExtIniFile::Update() {
  SaveFile(false);
  if (FOnUpdate) FOnUpdate(this);
}

void TExtIniFile::UpdateIfAtOnce() {
  if (FUpdateAtOnce) Update();
}

void TExtIniFile::Clear() {
  FSections.Clear();
  FModified = true;
}

void TExtIniFile::Erase() {
  Clear();
  UpdateIfAtOnce();
}

void TExtIniFile::EraseSection(const QString& Section) {
  const qsizetype Index = FindSection(Section);
  if (Index < 0) return;
  FSections.Remove(Index);
  FModified = true;
  UpdateIfAtOnce();
}

QString TExtIniFile::Bracketed(const QString& Section) {
  if (Section.isEmpty()) return Section;
  QString Key = Section;
  if (!Key.startsWith(u'[')) Key.prepend(u'[');
  if (!Key.endsWith(u']')) Key.append(u']');
  return Key;
}

qsizetype TExtIniFile::FindSection(const QString& Section) const {
  return FSections.Find(Bracketed(Section));
}

qsizetype TExtIniFile::LookupItem(const QString& Section, const QString& Item,
                                  QString& Value) const {
  Value.clear();
  const qsizetype Index = FindSection(Section);
  // A name is the text before a line's first "=", so a name with "=" in it never matches.
  if (Index < 0 || Item.contains(u'=')) return -1;
  const QStringList& Lines = FSections.Lines(Index);
  for (qsizetype Line = 0; Line < Lines.size(); ++Line) {
    if (!NameMatches(Lines.at(Line), Item)) continue;
    Value = Lines.at(Line).mid(Item.size() + 1);
    return Line;
  }
  return -1;
}

bool TExtIniFile::NameMatches(const QString& Line, const QString& Name) const {
  // Compares only the name's length of the line, however long the line is.
  const Qt::CaseSensitivity Case = CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
  return Line.size() > Name.size() && Line.at(Name.size()) == u'=' &&
         QStringView(Line).left(Name.size()).compare(Name, Case) == 0;
}

void TExtIniFile::StoreItem(const QString& Section, const QString& Item, const QString& Value) {
  qsizetype Index = FindSection(Section);
  if (Index < 0) Index = FSections.Append(Bracketed(Section));
  QString Old;
  const qsizetype Line = LookupItem(Section, Item, Old);
  QStringList& Lines = FSections.Lines(Index);
  const QString Text = Item + u'=' + Value;
  if (!Value.isEmpty() && Line >= 0) {
    Lines[Line] = Text;
  } else {
    if (Line >= 0) Lines.removeAt(Line);
    Lines.append(Text);
  }
  FModified = true;
}

void TExtIniFile::RemoveItemLine(const QString& Section, const QString& Item) {
  QString Value;
  const qsizetype Line = LookupItem(Section, Item, Value);
  if (Line >= 0) FSections.Lines(FindSection(Section)).removeAt(Line);
}

bool TExtIniFile::RemoveItem(const QString& Section, const QString& Item) {
  using namespace IniRecords;
  QString Tag;
  const qsizetype Line = LookupItem(Section, Item, Tag);
  if (Line < 0) return false;
  FSections.Lines(FindSection(Section)).removeAt(Line);
  const auto RemoveFields = [&](const auto& Fields) {
    for (const QLatin1StringView Field : Fields) RemoveItemLine(Section, Item + Field);
  };
  if (Tag.compare(kFont, Qt::CaseInsensitive) == 0) {
    RemoveFields(kFontFields);
  } else if (Tag.compare(kForm, Qt::CaseInsensitive) == 0) {
    RemoveFields(kFormFields);
  } else if (Tag.compare(kBounds, Qt::CaseInsensitive) == 0) {
    RemoveFields(kBoundsFields);
  } else if (Tag.compare(kPoint, Qt::CaseInsensitive) == 0) {
    RemoveFields(kPointFields);
  } else if (Tag.compare(kRect, Qt::CaseInsensitive) == 0) {
    RemoveFields(kRectFields);
  } else if (Tag.compare(kList, Qt::CaseInsensitive) == 0) {
    const int32_t Count = ReadInt(Section, Item + kListCount, 0);
    RemoveItemLine(Section, Item + kListCount);
    for (const int32_t Entry : ListEntries(Section, Item, 0, Count))
      RemoveItemLine(Section, ListEntryName(Item, Entry));
  }
  FModified = true;
  return true;
}

QString TExtIniFile::ListEntryName(const QString& Item, int32_t Index) {
  return Item + u'.' + QString::number(Index);
}

QList<int32_t> TExtIniFile::ListEntries(const QString& Section, const QString& Item, int32_t First,
                                        int32_t End) const {
  // One pass over the section's lines, so that a huge count from a damaged file costs nothing.
  QList<int32_t> Entries;
  const qsizetype Index = FindSection(Section);
  if (Index < 0) return Entries;
  const QString Prefix = Item + u'.';
  if (Prefix.contains(u'=')) return Entries;
  const Qt::CaseSensitivity Case = CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (const QString& Line : FSections.Lines(Index)) {
    if (!Line.startsWith(Prefix, Case)) continue;
    qsizetype Equals = Prefix.size();
    while (Equals < Line.size() && Line.at(Equals).unicode() >= '0' &&
           Line.at(Equals).unicode() <= '9')
      ++Equals;
    if (Equals == Line.size() || Line.at(Equals) != u'=') continue;
    const QStringView Digits = QStringView(Line).sliced(Prefix.size(), Equals - Prefix.size());
    bool Ok = false;
    const int32_t Entry = Digits.toInt(&Ok);
    // Only the plain decimal form names an entry, as the writer spells it.
    if (Ok && Entry >= First && Entry < End && Digits == QString::number(Entry))
      Entries.append(Entry);
  }
  std::sort(Entries.begin(), Entries.end());
  Entries.erase(std::unique(Entries.begin(), Entries.end()), Entries.end());
  return Entries;
}

void TExtIniFile::DeleteItem(const QString& Section, const QString& Item) {
  if (RemoveItem(Section, Item)) UpdateIfAtOnce();
}

bool TExtIniFile::ItemExists(const QString& Section, const QString& Item) const {
  QString Value;
  return LookupItem(Section, Item, Value) >= 0;
}

bool TExtIniFile::SectionExists(const QString& Section) const { return FindSection(Section) >= 0; }

bool TExtIniFile::RenameSection(const QString& Section, const QString& NewSection) {
  const qsizetype Index = FindSection(Section);
  if (Index < 0 || FindSection(NewSection) >= 0) return false;
  FSections.Rename(Index, Bracketed(NewSection));
  FModified = true;
  return true;
}

bool TExtIniFile::Rename(TDefaultFolder NewFolder, const QString& NewName) {
  const bool User = NewFolder == TDefaultFolder::dfUser;
  const QString Folder = User ? FolderPart(NewName) : FolderFor(NewFolder);
  // A bare name under dfUser would land in whatever the working folder happens to be.
  if (Folder.isEmpty()) return false;
  if (!QDir().mkpath(Folder)) return false;
  const QString Target =
      User ? NewName : Folder + (NewName.isEmpty() ? FAppName + kIniExtension : NewName);
  if (IsSameFile(Target, AbsoluteFileName())) return false;
  Copy(Target);
  QFile::remove(AbsoluteFileName());
  FDefaultFolder = NewFolder;
  FFileName = NewName;
  FFolderPath = FolderPart(Target);
  FIniFileName = NamePart(Target);
  return true;
}

void TExtIniFile::Copy(const QString& Dest) const {
  const QString Source = AbsoluteFileName();
  if (!QFileInfo::exists(Source)) return;
  QFile In(Source);
  if (!In.open(QIODevice::ReadOnly))
    throw Exception(QStringLiteral("Cannot open %1: %2").arg(Source, In.errorString()));
  const QByteArray Bytes = In.readAll();
  QSaveFile Out(Dest);
  if (!Out.open(QIODevice::WriteOnly) || Out.write(Bytes) != Bytes.size() || !Out.commit())
    throw Exception(QStringLiteral("Cannot write %1: %2").arg(Dest, Out.errorString()));
}

void TExtIniFile::ReadSection(const QString& Section, QStringList& List) const {
  List.clear();
  const qsizetype Index = FindSection(Section);
  if (Index >= 0) List = FSections.Lines(Index);
}

void TExtIniFile::ReadSectionName(QStringList& List) const {
  List.clear();
  for (qsizetype Index = 0; Index < FSections.Count(); ++Index) {
    const QString& Key = FSections.Key(Index);
    List.append(IsHeader(Key) ? Key.mid(1, Key.size() - 2) : Key);
  }
}
