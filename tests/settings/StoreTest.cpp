// The settings file: its syntax, lookups, the section table, write triggers, encodings and the
// file's place on disk. Runs without a display.
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "Exception.h"
#include "StoreFixture.h"
#include "TestApplication.h"

namespace {

const auto* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TApplicationEnvironment<QCoreApplication>);

QStringList SectionLines(const TExtIniFile& Store, const QString& Section) {
  QStringList Lines;
  Store.ReadSection(Section, Lines);
  return Lines;
}

QStringList SectionNames(const TExtIniFile& Store) {
  QStringList Names;
  Store.ReadSectionName(Names);
  return Names;
}

// A file as read and written back: what survives a load and a save.
struct TRoundTripCase {
  const char* Name;
  QByteArray File;
  QByteArray Saved;
};

class SyntaxTest : public StoreFixture, public testing::WithParamInterface<TRoundTripCase> {};

TEST_P(SyntaxTest, LoadThenSaveWritesTheExpectedBytes) {
  auto Store = Open(GetParam().File);
  Store->Update();
  EXPECT_EQ(FileBytes(), GetParam().Saved);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SyntaxTest,
    testing::Values(TRoundTripCase{"LinesBeforeTheFirstHeaderAreDropped",
                                   "a=1\r\n;note\r\n[S]\r\nb=2\r\n", "[S]\r\nb=2\r\n\r\n"},
                    TRoundTripCase{"EmptyAndOneCharacterLinesAreDropped",
                                   "[S]\r\n\r\nx\r\nab\r\n\r\n\r\n[T]",
                                   "[S]\r\nab\r\n\r\n[T]\r\n\r\n"},
                    TRoundTripCase{"HeaderFollowedByABlankIsAnOrdinaryLine",
                                   "[S]\r\n[A] \r\nx=1\r\n", "[S]\r\n[A] \r\nx=1\r\n\r\n"},
                    TRoundTripCase{"HeaderAfterABlankIsAnOrdinaryLine", "[S]\r\n [A]\r\n",
                                   "[S]\r\n [A]\r\n\r\n"},
                    TRoundTripCase{"TwoBracketsMakeAHeader", "[]\r\nx=1\r\n", "[]\r\nx=1\r\n\r\n"},
                    TRoundTripCase{"LoneCrAndLoneLfEndLines", "[S]\ra=1\nb=2\r\nc=3",
                                   "[S]\r\na=1\r\nb=2\r\nc=3\r\n\r\n"},
                    TRoundTripCase{"CrCrLfIsTwoBreaks", "[S]\r\r\na=1", "[S]\r\na=1\r\n\r\n"},
                    TRoundTripCase{"NulEndsTheText", QByteArray("[S]\r\na=1\0\r\nb=2\r\n", 16),
                                   "[S]\r\na=1\r\n\r\n"},
                    TRoundTripCase{"DuplicateSectionsAreKept", "[S]\r\na=1\r\n[s]\r\na=2\r\n",
                                   "[S]\r\na=1\r\n\r\n[s]\r\na=2\r\n\r\n"},
                    TRoundTripCase{"LinesAreStoredVerbatim", "[S]\r\n k = v \r\n;comment\r\n",
                                   "[S]\r\n k = v \r\n;comment\r\n\r\n"},
                    TRoundTripCase{"EmptyFileStaysEmpty", "", ""}),
    [](const auto& Info) { return std::string(Info.param.Name); });

using StoreTest = StoreFixture;

TEST_F(StoreTest, WritesTheTwoSectionLayoutByteForByte) {
  auto Store = Open();
  Store->WriteStr("Forms", "frmMain", "FORM");
  Store->WriteInt("Forms", "frmMain.flags", 0);
  Store->WriteInt("Forms", "frmMain.show", 1);
  Store->WriteColor("[Options]", "BandColor", 0x0000FFFF);
  Store->Update();
  EXPECT_EQ(FileBytes(),
            "[Forms]\r\nfrmMain=FORM\r\nfrmMain.flags=0\r\nfrmMain.show=1\r\n\r\n"
            "[Options]\r\nBandColor=$0000FFFF\r\n\r\n");
}

TEST_F(StoreTest, ItemValueIsEverythingAfterTheFirstEquals) {
  auto Store = Open("[S]\r\na=b=c\r\n k=1\r\nplain line\r\n");
  EXPECT_EQ(Store->ReadStr("S", "a", "-"), "b=c");
  EXPECT_EQ(Store->ReadStr("S", "k", "-"), "-") << "a leading blank belongs to the name";
  EXPECT_EQ(Store->ReadStr("S", " k", "-"), "1");
  EXPECT_FALSE(Store->ItemExists("S", "plain line"));
  EXPECT_EQ(SectionLines(*Store, "S"), QStringList({"a=b=c", " k=1", "plain line"}));
}

TEST_F(StoreTest, AnEmptiedItemMovesToTheEndAndStillExists) {
  auto Store = Open("[S]\r\na=1\r\nb=2\r\n");
  Store->WriteStr("S", "a", "");
  EXPECT_EQ(SectionLines(*Store, "S"), QStringList({"b=2", "a="}));
  EXPECT_TRUE(Store->ItemExists("S", "a"));
  EXPECT_EQ(Store->ReadStr("S", "a", "default"), "");
  Store->WriteStr("S", "b", "3");
  EXPECT_EQ(SectionLines(*Store, "S"), QStringList({"b=3", "a="})) << "a value replaces in place";
}

TEST_F(StoreTest, NewItemsAndSectionsAreAppended) {
  auto Store = Open("[B]\r\nx=1\r\n");
  Store->WriteStr("A", "y", "2");
  Store->WriteStr("B", "z", "3");
  EXPECT_EQ(SectionNames(*Store), QStringList({"B", "A"}));
  EXPECT_EQ(SectionLines(*Store, "[B]"), QStringList({"x=1", "z=3"}));
}

struct TCaseCase {
  const char* Name;
  bool CaseSensitive;
  QStringList LinesAfterWrite;
  bool FindsOtherCaseSection;
};

class CaseSensitivityTest : public StoreFixture, public testing::WithParamInterface<TCaseCase> {};

TEST_P(CaseSensitivityTest, GovernsSectionAndItemLookups) {
  auto Store = Open("[Sec]\r\nKEY=1\r\n");
  Store->SetCaseSensitive(GetParam().CaseSensitive);
  EXPECT_EQ(Store->ReadStr("Sec", "key", "-"), GetParam().CaseSensitive ? "-" : "1");
  EXPECT_EQ(Store->SectionExists("SEC"), GetParam().FindsOtherCaseSection);
  Store->WriteStr("Sec", "key", "2");
  EXPECT_EQ(SectionLines(*Store, "Sec"), GetParam().LinesAfterWrite);
  EXPECT_EQ(Store->ReadStr("Sec", "KEY", "-"), GetParam().CaseSensitive ? "1" : "2");
}

INSTANTIATE_TEST_SUITE_P(Lookups, CaseSensitivityTest,
                         testing::Values(TCaseCase{"Insensitive", false, {"key=2"}, true},
                                         TCaseCase{"Sensitive", true, {"KEY=1", "key=2"}, false}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(StoreTest, CaseInsensitiveLookupFoldsNonAsciiLetters) {
  auto Store = Open(QString("[Größe]\r\nÄrger=1\r\n").toUtf8());
  EXPECT_TRUE(Store->SectionExists("GRÖSSE") || Store->SectionExists("größe"));
  EXPECT_EQ(Store->ReadStr("größe", "ärger", "-"), "1");
}

TEST_F(StoreTest, TheFirstOfDuplicateItemsAndSectionsWins) {
  auto Store = Open("[S]\r\na=1\r\na=2\r\n[S]\r\nb=3\r\n");
  EXPECT_EQ(Store->ReadStr("S", "a", "-"), "1");
  EXPECT_EQ(Store->ReadStr("S", "b", "-"), "-");
  EXPECT_EQ(Store->SectionCount(), 2);
}

TEST_F(StoreTest, SectionsAndRenameSection) {
  auto Store = Open("[Forms]\r\na=1\r\n[Tools]\r\nb=2\r\n");
  EXPECT_EQ(Store->Sections(0), "Forms");
  EXPECT_EQ(Store->Sections(2), "");
  EXPECT_EQ(Store->Sections(-1), "");
  EXPECT_FALSE(Store->RenameSection("Forms", "TOOLS")) << "the new name exists in another case";
  EXPECT_FALSE(Store->RenameSection("Missing", "Other"));
  EXPECT_FALSE(Store->Modified());
  EXPECT_TRUE(Store->RenameSection("Forms", "Panels"));
  EXPECT_EQ(Store->Sections(0), "Panels");
  EXPECT_TRUE(Store->SectionExists("[Panels]"));
  EXPECT_FALSE(Store->SectionExists("Forms"));
  EXPECT_EQ(Store->ReadStr("Panels", "a", "-"), "1");
  EXPECT_TRUE(Store->Modified());
  EXPECT_EQ(FileBytes(), "[Forms]\r\na=1\r\n[Tools]\r\nb=2\r\n") << "renaming never writes";
}

TEST_F(StoreTest, ItemsIsTheLiveLineList) {
  auto Store = Open("[S]\r\na=1\r\n");
  QStringList* Lines = Store->Items("S");
  ASSERT_NE(Lines, nullptr);
  Lines->append("b=2");
  EXPECT_EQ(Store->ReadStr("S", "b", "-"), "2");
  EXPECT_FALSE(Store->Modified());
  EXPECT_EQ(Store->Items("Missing"), nullptr);
}

TEST_F(StoreTest, ClearEraseAndEraseSection) {
  auto Store = Open("[A]\r\na=1\r\n[B]\r\nb=2\r\n");
  Store->EraseSection("Missing");
  EXPECT_FALSE(Store->Modified());
  Store->EraseSection("a");
  EXPECT_EQ(SectionNames(*Store), QStringList({"B"}));
  EXPECT_TRUE(Store->Modified());
  Store->Clear();
  EXPECT_EQ(Store->SectionCount(), 0);
  EXPECT_EQ(FileBytes(), "[A]\r\na=1\r\n[B]\r\nb=2\r\n") << "Clear never writes";
  Store->SetUpdateAtOnce(true);
  Store->WriteStr("C", "c", "3");
  Store->Erase();
  EXPECT_EQ(FileBytes(), "") << "Erase writes at once when told to";
}

// DeleteItem of a record's item takes the record's fields, and nothing else, with it.
struct TDeleteCase {
  const char* Name;
  std::function<void(TExtIniFile&)> Write;
};

class DeleteItemTest : public StoreFixture, public testing::WithParamInterface<TDeleteCase> {};

TEST_P(DeleteItemTest, RemovesTheRecordWithItsFields) {
  auto Store = Open("[S]\r\nKeep=1\r\nrecx=2\r\nrec.other=3\r\n");
  GetParam().Write(*Store);
  Store->DeleteItem("S", "rec");
  EXPECT_EQ(SectionLines(*Store, "S"), QStringList({"Keep=1", "recx=2", "rec.other=3"}));
}

INSTANTIATE_TEST_SUITE_P(
    Records, DeleteItemTest,
    testing::Values(
        TDeleteCase{"Font", [](TExtIniFile& S) { S.WriteFont("S", "rec", TFont()); }},
        TDeleteCase{"Point",
                    [](TExtIniFile& S) {
                      S.WritePoint("S", "rec", TPoint{1, 2});
                    }},
        TDeleteCase{"Rect",
                    [](TExtIniFile& S) {
                      S.WriteRect("S", "rec", TRect{1, 2, 3, 4});
                    }},
        TDeleteCase{"List",
                    [](TExtIniFile& S) {
                      S.WriteList("S", "rec", {"a", "b", ""});
                    }},
        TDeleteCase{
            "HandWrittenListInLowerCase",
            [](TExtIniFile& S) {
              for (const char* Line : {"rec=list", "rec.count=3", "rec.0=a", "rec.1=b", "rec.2=c"})
                S.Items("S")->append(Line);
            }},
        TDeleteCase{"BoundsWithoutSomeFields",
                    [](TExtIniFile& S) {
                      S.WriteStr("S", "rec", "Bounds");
                      S.WriteInt("S", "rec.width", 5);
                    }},
        TDeleteCase{"Scalar", [](TExtIniFile& S) { S.WriteInt("S", "rec", 7); }}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(StoreTest, DeleteItemLeavesEntriesBeyondTheListCount) {
  auto Store = Open("[S]\r\nrec=LIST\r\nrec.count=1\r\nrec.0=a\r\nrec.1=b\r\n");
  Store->DeleteItem("S", "rec");
  EXPECT_EQ(SectionLines(*Store, "S"), QStringList({"rec.1=b"}));
}

TEST_F(StoreTest, DeleteItemOfAMissingItemChangesNothing) {
  auto Store = Open("[S]\r\na=1\r\n");
  Store->SetUpdateAtOnce(true);
  const QByteArray Before = FileBytes();
  Store->Items("S")->append("b=2");
  Store->DeleteItem("S", "missing");
  EXPECT_FALSE(Store->Modified());
  EXPECT_EQ(FileBytes(), Before);
}

TEST_F(StoreTest, ModifiedFollowsChangesLoadsAndSaves) {
  auto Store = Open("[S]\r\na=1\r\n");
  EXPECT_FALSE(Store->Modified());
  Store->WriteInt("S", "b", 2);
  EXPECT_TRUE(Store->Modified());
  Store->Update();
  EXPECT_FALSE(Store->Modified());
  Store->DeleteItem("S", "b");
  EXPECT_TRUE(Store->Modified());
  Store->Reload();
  EXPECT_FALSE(Store->Modified());
  EXPECT_EQ(Store->ReadInt("S", "b", -1), 2);
}

TEST_F(StoreTest, AFailedSaveKeepsModifiedAndStillRaisesOnUpdate) {
  auto Store = Open();
  Store->SetFileName(PathOf("missing-folder/test.ini"));
  int Updates = 0;
  Store->SetOnUpdate([&](QObject* Sender) {
    EXPECT_EQ(Sender, Store.get());
    ++Updates;
  });
  Store->WriteInt("S", "a", 1);
  Store->Update();
  EXPECT_EQ(Updates, 1);
  EXPECT_TRUE(Store->Modified());
  EXPECT_FALSE(QFileInfo::exists(Store->AbsoluteFileName()));
}

TEST_F(StoreTest, SaveReplacesTheFileInsteadOfOverwritingIt) {
  // A second name for the old file keeps its bytes: the new content went to a new file that
  // was renamed into place, so no moment exists in which the settings file is half written.
  WriteFile(Path(), "[Old]\r\na=1\r\n");
  ASSERT_EQ(::link(QFile::encodeName(Path()).constData(),
                   QFile::encodeName(PathOf("old-hard.ini")).constData()),
            0);
  auto Store = Open();
  Store->WriteInt("New", "b", 2);
  Store->Update();
  EXPECT_EQ(FileBytes(), "[Old]\r\na=1\r\n\r\n[New]\r\nb=2\r\n\r\n");
  EXPECT_EQ(ReadFile(PathOf("old-hard.ini")), "[Old]\r\na=1\r\n");
  EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2)
      << "no temporary file is left behind";
}

TEST_F(StoreTest, OnLoadIsRaisedOnlyWhenAFileWasRead) {
  auto Store = Open();
  int Loads = 0;
  Store->SetOnLoad([&](QObject*) { ++Loads; });
  Store->Reload();
  EXPECT_EQ(Loads, 0);
  WriteFile(Path(), "[S]\r\na=1\r\n");
  Store->Reload();
  EXPECT_EQ(Loads, 1);
}

TEST_F(StoreTest, WriteTriggers) {
  auto Store = Open();
  Store->WriteInt("S", "a", 1);
  EXPECT_FALSE(QFileInfo::exists(Path())) << "writes stay in memory by default";
  Store->SetUpdateAtOnce(true);
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\n\r\n") << "switching UpdateAtOnce on writes at once";
  Store->WriteInt("S", "b", 2);
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\nb=2\r\n\r\n");
  Store->WriteDirectory("S", "d", "/x");
  Store->RenameSection("S", "T");
  Store->Clear();
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\nb=2\r\n\r\n") << "these never write by themselves";
}

TEST_F(StoreTest, DestructionWritesOnlyWithAutoUpdate) {
  Open()->WriteInt("S", "a", 1);
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\n\r\n");
  auto Store = Open();
  Store->SetAutoUpdate(false);
  Store->WriteInt("S", "a", 2);
  Store.reset();
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\n\r\n");
}

TEST_F(StoreTest, ChangingTheFileNameSavesTheOldFileAndLoadsTheNewOne) {
  WriteFile(PathOf("other.ini"), "[O]\r\no=1\r\n");
  auto Store = Open();
  Store->WriteInt("S", "a", 1);
  Store->SetFileName(PathOf("other.ini"));
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\n\r\n");
  EXPECT_EQ(Store->ReadInt("O", "o", 0), 1);
  EXPECT_EQ(Store->ReadInt("S", "a", 0), 0);
  Store->Clear();
  Store->SetFileName(PathOf("third.ini"));
  EXPECT_EQ(ReadFile(PathOf("other.ini")), "[O]\r\no=1\r\n") << "an empty store saves nothing";
}

struct TFolderCase {
  const char* Name;
  TDefaultFolder Folder;
  QString Expected;  // below HOME
};

class FolderTest : public testing::TestWithParam<TFolderCase> {};

TEST_P(FolderTest, ComputesAndCreatesTheFolder) {
  TExtIniFile Store;
  Store.SetAutoUpdate(false);
  Store.SetDefaultFolder(GetParam().Folder);
  const QString Folder = QDir::homePath() + GetParam().Expected;
  EXPECT_EQ(Store.AbsoluteFileName(), Folder + "Levelora.ini");
  EXPECT_TRUE(QFileInfo(Folder).isDir());
}

INSTANTIATE_TEST_SUITE_P(Folders, FolderTest,
                         testing::Values(TFolderCase{"MyDocuments", TDefaultFolder::dfMyDocuments,
                                                     "/Documents/Levelora/"},
                                         TFolderCase{"AppData", TDefaultFolder::dfAppData,
                                                     "/.config/Levelora/"}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST(FolderNames, OtherFolders) {
  TExtIniFile Store;
  Store.SetAutoUpdate(false);
  EXPECT_EQ(Store.AbsoluteFileName(), QCoreApplication::applicationDirPath() + "/Levelora.ini");
  Store.SetDefaultFolder(TDefaultFolder::dfWindows);
  EXPECT_EQ(Store.AbsoluteFileName(), "/etc/Levelora.ini");
  Store.SetFileName("custom.ini");
  EXPECT_EQ(Store.AbsoluteFileName(), "/etc/custom.ini");
  Store.SetFileName("");
  EXPECT_EQ(Store.AbsoluteFileName(), "/etc/Levelora.ini");
}

TEST_F(StoreTest, RenameMovesTheFileToAUserPath) {
  auto Store = Open("[S]\r\na=1\r\n");
  const QString Target = PathOf("sub/dir/moved.ini");
  EXPECT_TRUE(Store->Rename(TDefaultFolder::dfUser, Target));
  EXPECT_FALSE(QFileInfo::exists(Path()));
  EXPECT_EQ(ReadFile(Target), "[S]\r\na=1\r\n");
  EXPECT_EQ(Store->AbsoluteFileName(), Target);
  Store->WriteInt("S", "b", 2);
  Store->Update();
  EXPECT_EQ(ReadFile(Target), "[S]\r\na=1\r\nb=2\r\n\r\n");
}

TEST_F(StoreTest, RenameIntoAFolderKeepsTheNameAndFolderApart) {
  auto Store = Open("[S]\r\na=1\r\n");
  EXPECT_TRUE(Store->Rename(TDefaultFolder::dfMyDocuments, "moved.ini"));
  EXPECT_EQ(Store->AbsoluteFileName(), QDir::homePath() + "/Documents/Levelora/moved.ini");
  EXPECT_EQ(Store->FileName(), "moved.ini");
  EXPECT_EQ(Store->DefaultFolder(), TDefaultFolder::dfMyDocuments);
  EXPECT_EQ(ReadFile(Store->AbsoluteFileName()), "[S]\r\na=1\r\n");
  QFile::remove(Store->AbsoluteFileName());
}

struct TUnsafeRenameCase {
  const char* Name;
  std::function<QString(const QString& Current)> Target;
};

class UnsafeRenameTest : public StoreFixture,
                         public testing::WithParamInterface<TUnsafeRenameCase> {};

TEST_P(UnsafeRenameTest, ReturnsFalseAndChangesNothing) {
  auto Store = Open("[S]\r\na=1\r\n");
  EXPECT_FALSE(Store->Rename(TDefaultFolder::dfUser, GetParam().Target(Path())));
  EXPECT_EQ(FileBytes(), "[S]\r\na=1\r\n");
  EXPECT_EQ(Store->AbsoluteFileName(), Path());
}

INSTANTIATE_TEST_SUITE_P(
    Targets, UnsafeRenameTest,
    testing::Values(
        TUnsafeRenameCase{"TheFileItself", [](const QString& Current) { return Current; }},
        TUnsafeRenameCase{"TheFileItselfSpelledOtherwise",
                          [](const QString& Current) {
                            const QFileInfo Info(Current);
                            return Info.path() + "/./" + Info.fileName();
                          }},
        TUnsafeRenameCase{"ANameWithoutFolder", [](const QString&) { return QString("x.ini"); }},
        TUnsafeRenameCase{"AFolderThatCannotBeMade",
                          [](const QString& Current) { return Current + "/sub/x.ini"; }}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(StoreTest, CopyCopiesTheFileNotTheMemory) {
  auto Store = Open("[S]\r\na=1\r\n");
  Store->WriteInt("S", "b", 2);
  Store->Copy(PathOf("copy.ini"));
  EXPECT_EQ(ReadFile(PathOf("copy.ini")), "[S]\r\na=1\r\n");
  EXPECT_THROW(Store->Copy(PathOf("missing/copy.ini")), Exception);
}

// Encodings, with the exact bytes written.
struct TEncodingCase {
  const char* Name;
  TIniEncoding Encoding;
  QByteArray Empty;
  QByteArray Text;
};

class EncodingTest : public StoreFixture, public testing::WithParamInterface<TEncodingCase> {};

TEST_P(EncodingTest, WritesItsMarkAndText) {
  auto Store = Open(std::nullopt, GetParam().Encoding);
  Store->Update();
  EXPECT_EQ(FileBytes(), GetParam().Empty);
  Store->WriteStr("S", "k", "é");
  Store->Update();
  EXPECT_EQ(FileBytes(), GetParam().Text);
}

TEST_P(EncodingTest, IsReadBackAsDefaultByItsMark) {
  auto Writer = Open(std::nullopt, GetParam().Encoding);
  Writer->WriteStr("S", "k", "日本語 é");
  Writer->Update();
  Writer.reset();
  auto Reader = Open(std::nullopt, TIniEncoding::ieDefault);
  EXPECT_EQ(Reader->ReadStr("S", "k", "-"), "日本語 é");
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodingTest,
    testing::Values(
        TEncodingCase{"Default", TIniEncoding::ieDefault, "", "[S]\r\nk=\xC3\xA9\r\n\r\n"},
        TEncodingCase{"UTF8", TIniEncoding::ieUTF8, "\xEF\xBB\xBF",
                      "\xEF\xBB\xBF[S]\r\nk=\xC3\xA9\r\n\r\n"},
        TEncodingCase{"Unicode", TIniEncoding::ieUnicode, "\xFF\xFE",
                      QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0\r\0\n\0", 26)}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(StoreTest, DefaultEncodingFollowsAUtf16BigEndianMark) {
  auto Store = Open(QByteArray("\xFE\xFF\0[\0S\0]\0\n\0a\0=\x30\xC6", 16));
  EXPECT_EQ(Store->ReadStr("S", "a", "-"), QString(QChar(0x30C6)));
}

TEST_F(StoreTest, ExplicitEncodingsSkipOnlyTheirOwnMark) {
  auto Store = Open("\xEF\xBB\xBF[S]\r\na=1\r\n", TIniEncoding::ieUTF8);
  EXPECT_EQ(Store->ReadStr("S", "a", "-"), "1");
  auto Unmarked = Open("[S]\r\na=1\r\n", TIniEncoding::ieUTF8);
  EXPECT_EQ(Unmarked->ReadStr("S", "a", "-"), "1");
}

TEST_F(StoreTest, ReadsAndWritesTheShiftJisCodePage) {
  const QByteArray Fixture = ReadFile(LEVELORA_FIXTURES "/settings/shift-jis.ini");
  ASSERT_FALSE(Fixture.isEmpty());
  auto Store = Open(Fixture);
  Store->SetAnsiCodePage("CP932");
  Store->Reload();
  EXPECT_EQ(Store->ReadStr("設定", "名前", "-"), "画像の傾きを補正する");
  EXPECT_EQ(Store->ReadStr("設定", "記号", "-"), "～①");
  Store->Update();
  EXPECT_EQ(FileBytes(), Fixture);
}

TEST_F(StoreTest, LongShiftJisTextsSurviveTheFile) {
  // Long enough that multi-byte characters straddle the converter's chunks both ways.
  const QString Text = QString("傾きを補正する画像、").repeated(40) + "①";
  auto Store = Open();
  Store->SetAnsiCodePage("CP932");
  Store->WriteStr("設定", "長い", Text);
  Store->Update();
  Store->Reload();
  EXPECT_EQ(Store->ReadStr("設定", "長い", "-"), Text);
  // "[設定]" CR LF, "長い=", two bytes for each character, then two CR LF.
  EXPECT_EQ(FileBytes().size(), 8 + 5 + Text.size() * 2 + 4);
}

TEST_F(StoreTest, CharactersTheCodePageLacksBecomeQuestionMarks) {
  auto Store = Open();
  Store->SetAnsiCodePage("CP932");
  Store->WriteStr("S", "k", "a€ü😀b");
  Store->Update();
  EXPECT_EQ(FileBytes(), "[S]\r\nk=a???b\r\n\r\n");
}

TEST_F(StoreTest, UnknownCodePagesAreRefused) {
  auto Store = Open();
  EXPECT_THROW(Store->SetAnsiCodePage("NO-SUCH-CHARSET"), Exception);
  EXPECT_EQ(Store->AnsiCodePage(), "UTF-8");
}

}  // namespace
