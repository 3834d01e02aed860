// Damaged and hostile settings files: a few thousand mutations of real files (random bytes, NULs,
// lone line breaks, huge lines, bad byte-order marks, absurd record counts) must load, answer
// every reader and save without crashing or hanging, and a saved file must read back to itself.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <random>

#include "StoreFixture.h"
#include "TestApplication.h"

namespace {

const auto* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TApplicationEnvironment<QApplication>);

const QList<QByteArray> kSeeds = {
    "[Forms]\r\nfrmMain=FORM\r\nfrmMain.flags=0\r\nfrmMain.show=1\r\nfrmMain.mx=-1\r\n"
    "frmMain.my=-1\r\nfrmMain.left=10\r\nfrmMain.top=20\r\nfrmMain.right=410\r\n"
    "frmMain.bottom=320\r\nfrmMain.state=2\r\nfrmMain.cwidth=400\r\nfrmMain.cheight=300\r\n"
    "Loupe=1\r\n\r\n[Options]\r\nBandColor=$0000FFFF\r\nBackColor=$00FFFFFF\r\nBackAlpha=255\r\n",
    "[Fonts]\r\nf=FONT\r\nf.charset=128\r\nf.color=$FF000008\r\nf.height=-12\r\nf.name=IPA\r\n"
    "f.pitch=2\r\nf.b=1\r\nf.i=0\r\nf.u=true\r\nf.s=0\r\n[Lists]\r\nL=LIST\r\nL.count=3\r\n"
    "L.0=a\r\nL.1=\r\nL.2=c\r\np=POINT\r\np.x=1\r\np.y=2\r\nr=RECT\r\nr.left=1\r\n",
    QString("[設定]\r\n名前=画像の傾き\r\nx=0x1F\r\nd=45000.75\r\nc=12.3456\r\ns=c^0z4!\r\n")
        .toUtf8(),
    QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x42\x30\r\0\n\0", 20),
    QByteArray("\xEF\xBB\xBF[Tools]\nX.0=0\nY.0=30\rWidth.0=100\r\nHeight.0=$1E\n"),
};

// Mutates a file the way damaged disks, bad editors and attackers do.
class TMutator {
 public:
  explicit TMutator(uint32_t Seed) : FRandom(Seed) {}

  QByteArray Mutate(QByteArray File) {
    const int Steps = Pick(1, 8);
    for (int Step = 0; Step < Steps; ++Step) Apply(File);
    return File;
  }

  int Pick(int Low, int High) { return std::uniform_int_distribution<int>(Low, High)(FRandom); }

 private:
  qsizetype Position(const QByteArray& File) { return Pick(0, static_cast<int>(File.size())); }

  void Apply(QByteArray& File) {
    static const QList<QByteArray> kMarks = {"\xEF\xBB\xBF", "\xEF\xBB",     "\xFF\xFE",
                                             "\xFE\xFF",     "\xFF\xFE\x00", "\xFE"};
    static const QList<QByteArray> kTokens = {"[",
                                              "]",
                                              "=",
                                              "[X]",
                                              "[x] ",
                                              "\r\n[Forms]\r\n",
                                              "k.count=2147483647\r\n",
                                              "=LIST\r\n",
                                              "=FONT\r\n",
                                              "=form\r\n",
                                              "$",
                                              "0x",
                                              "-",
                                              "99999999999999999999",
                                              "\xC3",
                                              "\x81",
                                              "\xED\xA0\x80",
                                              "E400",
                                              "1e-400",
                                              "NAN",
                                              "=="};
    switch (Pick(0, 9)) {
      case 0:
        if (!File.isEmpty()) File[Position(File) % File.size()] = static_cast<char>(Pick(0, 255));
        break;
      case 1:
        File.insert(Position(File), static_cast<char>(Pick(0, 255)));
        break;
      case 2:
        File.insert(Position(File), Pick(0, 1) ? '\0' : '\r');
        break;
      case 3:
        File.insert(Position(File), '\n');
        break;
      case 4: {
        const qsizetype At = Position(File);
        File.remove(At, Pick(0, 64));
        break;
      }
      case 5: {
        const qsizetype At = Position(File);
        File.insert(At, File.mid(At, Pick(0, 200)));
        break;
      }
      case 6:
        File.insert(Position(File), QByteArray(Pick(1000, 100000), "a[=\xFF"[Pick(0, 3)]));
        break;
      case 7:
        File.prepend(kMarks.at(Pick(0, static_cast<int>(kMarks.size()) - 1)));
        break;
      case 8:
        File.insert(Position(File), kTokens.at(Pick(0, static_cast<int>(kTokens.size()) - 1)));
        break;
      default:
        for (int Byte = Pick(1, 64); Byte > 0; --Byte)
          File.insert(Position(File), static_cast<char>(Pick(0, 255)));
        break;
    }
  }

  std::mt19937 FRandom;
};

// Every reader, over Item and the record it may belong to.
void ReadEverything(const TExtIniFile& Store, const QString& Section, const QString& Item,
                    QWidget& Form, QWidget& Control) {
  Store.ReadBool(Section, Item, false);
  Store.ReadInt(Section, Item, 0);
  Store.ReadInt64(Section, Item, 0);
  Store.ReadCardinal(Section, Item, 0);
  Store.ReadUInt(Section, Item, 0);
  Store.ReadColor(Section, Item, 0);
  Store.ReadFloat(Section, Item, 0);
  Store.ReadCurr(Section, Item, Currency{});
  Store.ReadDateTime(Section, Item, 0);
  Store.ReadDate(Section, Item, 0);
  Store.ReadTime(Section, Item, 0);
  Store.ReadStr(Section, Item, QString());
  Store.ReadDirectory(Section, Item, QString());
  Store.ReadStrEx(Section, Item, QByteArray(), QByteArray("key"));
  Store.ReadStrEx(Section, Item, QString(), QString("鍵"));
  const QString Record = Item.left(Item.lastIndexOf(u'.'));
  for (const QString& Name : {Item, Record}) {
    TFont Font;
    Store.ReadFont(Section, Name, Font);
    Store.ReadPoint(Section, Name, TPoint{});
    Store.ReadRect(Section, Name, TRect{});
    QStringList List;
    Store.ReadList(Section, Name, List);
    Store.ReadFormEx(Section, Name, Form);
    Store.ReadWinSizeEx(Section, Name, Form);
    Store.ReadWinPos(Section, Name, Form);
    Store.ReadBounds(Section, Name, Control);
    Store.ReadPos(Section, Name, Control);
    Store.ReadSize(Section, Name, Control);
  }
}

void ExerciseReaders(TExtIniFile& Store, QWidget& Form, QWidget& Control) {
  QStringList Names;
  Store.ReadSectionName(Names);
  for (int32_t Index = 0; Index < std::min<int32_t>(Store.SectionCount(), 6); ++Index) {
    const QString Section = Store.Sections(Index);
    QStringList Lines;
    Store.ReadSection(Section, Lines);
    for (qsizetype Line = 0; Line < std::min<qsizetype>(Lines.size(), 8); ++Line) {
      const QString Item = Lines.at(Line).section(u'=', 0, 0);
      ReadEverything(Store, Section, Item, Form, Control);
    }
    ReadEverything(Store, Section, QStringLiteral("k"), Form, Control);
  }
}

// Each save reaches the disk with a sync; in memory the thousands of saves cost little.
class HostileFileTest : public StoreFixture {
 protected:
  HostileFileTest() : StoreFixture(QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath()) {}
};

TEST_F(HostileFileTest, MutatedFilesLoadReadAndSaveStably) {
  constexpr int kFiles = 3000;
  TMutator Mutator(20261210);
  QWidget Form;
  Form.setObjectName("frmMain");
  QWidget Parent;
  QWidget Control(&Parent);
  auto Store = Open();
  Store->SetAutoUpdate(false);
  for (int File = 0; File < kFiles; ++File) {
    const QByteArray Bytes = Mutator.Mutate(kSeeds.at(File % kSeeds.size()));
    WriteFile(Path(), Bytes);
    const TIniEncoding Encoding = static_cast<TIniEncoding>(Mutator.Pick(0, 2));
    const bool Utf8 = Mutator.Pick(0, 3) != 0;
    Store->SetEncoding(Encoding);
    Store->SetAnsiCodePage(Utf8 ? "UTF-8" : "CP932");
    Store->Reload();
    ExerciseReaders(*Store, Form, Control);
    // An empty section name keys a section without a header, which no file can hold.
    const QString First =
        Store->Sections(0).isEmpty() ? QStringLiteral("Hostile") : Store->Sections(0);
    Store->DeleteItem(First, QStringLiteral("L"));
    Store->WriteList(First, QStringLiteral("k"), {"x"});
    Store->Update();
    ASSERT_FALSE(Store->Modified()) << "file " << File << " was not saved";
    const QByteArray Saved = FileBytes();
    Store->Reload();
    Store->Update();
    // A code page that lacks a character turns it into "?", which can shorten a line below the
    // two characters a line needs: only a lossless code page must give the same bytes again.
    if (Utf8 || Encoding != TIniEncoding::ieDefault) {
      ASSERT_EQ(FileBytes(), Saved) << "file " << File << " did not read back to itself";
    }
  }
  EXPECT_FALSE(Form.isVisible()) << "reading placements never shows a hidden form";
}

}  // namespace
