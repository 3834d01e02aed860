// Damaged and hostile settings files: a few thousand mutations of real files (random bytes, NULs,
// lone line breaks, huge lines, bad byte-order marks, absurd record counts) must load, answer
// every reader and save without crashing or hanging, and a saved file must read back to itself.
#include <QApplication>
#include <QDir>
#include <QWidget>
#include <random>

#include "ReadEveryEntry.h"
#include "StoreFixture.h"
#include "TestApplication.h"

namespace {

const auto* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TApplicationEnvironment<QApplication>);

// Real files of each kind: placements, records, values, UTF-16 and mixed line breaks.
QList<QByteArray> Seeds() {
  QList<QByteArray> Files;
  const QDir Folder(LEVELORA_FIXTURES "/settings/seeds");
  for (const QString& Name : Folder.entryList({"*.ini"}, QDir::Files, QDir::Name))
    Files.append(StoreFixture::ReadFile(Folder.filePath(Name)));
  return Files;
}

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

// Each save reaches the disk with a sync; in memory the thousands of saves cost little.
class HostileFileTest : public StoreFixture {
 protected:
  HostileFileTest() : StoreFixture(QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath()) {}
};

TEST_F(HostileFileTest, MutatedFilesLoadReadAndSaveStably) {
  constexpr int kFiles = 3000;
  const QList<QByteArray> Seeds = ::Seeds();
  ASSERT_EQ(Seeds.size(), 5);
  TMutator Mutator(20261210);
  QWidget Form;
  Form.setObjectName("frmMain");
  QWidget Parent;
  QWidget Control(&Parent);
  auto Store = Open();
  Store->SetAutoUpdate(false);
  for (int File = 0; File < kFiles; ++File) {
    const QByteArray Bytes = Mutator.Mutate(Seeds.at(File % Seeds.size()));
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
