#include <QFile>
#include <QImageReader>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include "MainHarness.h"

namespace {

using C = TCommand;

QString Format(const QString& Path) {
  QFile file(Path);
  if (!file.open(QIODevice::ReadOnly)) return "missing";
  const QByteArray head = file.read(4);
  if (head.startsWith("\x89PNG")) return "PNG";
  if (head.startsWith("GIF8")) return "GIF";
  if (head.startsWith("\xFF\xD8\xFF")) return "JPEG";
  if (head.startsWith("BM")) return "BMP";
  if (head == QByteArray("II*\0", 4) || head == QByteArray("MM\0*", 4)) return "TIFF";
  return "unknown";
}

QImage Read(const QString& Path) {
  QImageReader reader(Path);
  reader.setDecideFormatFromContent(true);
  return reader.read().convertToFormat(QImage::Format_ARGB32);
}

class SavingTest : public MainTest {
 protected:
  // A new, modified image in front, as a paste makes it.
  TfrmEdit* NewImage() {
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(qRgb(10, 200, 30));
    Main->OpenBitmap(image);
    Idle();
    return Active();
  }
  QByteArray Bytes(const QString& Path) {
    QFile f(Path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
};

struct SaveAsCase {
  const char* Name;
  const char* Typed;
  int Filter;
  const char* Written;
  const char* Format;
};

class SaveAsTest : public SavingTest, public ::testing::WithParamInterface<SaveAsCase> {};

TEST_P(SaveAsTest, TheFilterDecidesTheFormatAndTheExtension) {
  const SaveAsCase& c = GetParam();
  Start();
  TfrmEdit* editor = NewImage();
  SaveAs(c.Typed, c.Filter);
  Trigger(C::actSaveAs);
  const QString written = File(c.Written);
  EXPECT_EQ(Format(written), c.Format);
  EXPECT_FALSE(editor->Modified());
  EXPECT_EQ(editor->FileName(), written);
  EXPECT_EQ(editor->windowTitle(), c.Written);
  const QImage back = Read(written);
  ASSERT_EQ(back.size(), QSize(24, 16));
  const QRgb pixel = back.pixel(5, 5);
  EXPECT_NEAR(qRed(pixel), 10, 6);
  EXPECT_NEAR(qGreen(pixel), 200, 6);
  EXPECT_NEAR(qBlue(pixel), 30, 6);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveAsTest,
    ::testing::Values(SaveAsCase{"PlainNameGetsThePng", "photo", 2, "photo.png", "PNG"},
                      SaveAsCase{"OwnExtensionAnyCase", "photo.JPG", 3, "photo.JPG", "JPEG"},
                      SaveAsCase{"OtherExtensionIsKept", "photo.png", 1, "photo.png.gif", "GIF"},
                      SaveAsCase{"JpegIsNotJpg", "photo.jpeg", 3, "photo.jpeg.jpg", "JPEG"},
                      SaveAsCase{"Bitmap", "photo", 5, "photo.bmp", "BMP"},
                      SaveAsCase{"Tiff", "photo", 7, "photo.tiff", "TIFF"}),
    [](const auto& info) { return std::string(info.param.Name); });

struct OverwriteCase {
  const char* Name;
  const char* File;
  const char* Format;
};

class OverwriteTest : public SavingTest, public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(OverwriteTest, TheExtensionChoosesTheEncoder) {
  const OverwriteCase& c = GetParam();
  const QString path = WriteImage(c.File, QSize(30, 20), "PNG");
  Start({path});
  ASSERT_NE(Active(), nullptr);
  Trigger(C::actMirror);
  EXPECT_TRUE(Active()->Modified());
  Trigger(C::actSave);
  EXPECT_EQ(Format(path), c.Format);
  EXPECT_FALSE(Active()->Modified());
  EXPECT_EQ(Active()->windowTitle(), QFileInfo(path).fileName());
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, OverwriteTest,
    ::testing::Values(OverwriteCase{"Tiff", "scan.TIFF", "TIFF"},
                      OverwriteCase{"UnknownGetsBitmapData", "icon.ico", "BMP"},
                      OverwriteCase{"TrailingDotMatchesEveryMask", "odd.", "TIFF"},
                      OverwriteCase{"Jpeg", "shot.jpeg", "JPEG"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SavingTest, OverwritingANewImageAsksForAName) {
  Start();
  TfrmEdit* editor = NewImage();
  WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(), "");
    dialog->reject();
  });
  Trigger(C::actSave);
  EXPECT_TRUE(editor->Modified());
  EXPECT_TRUE(editor->FileName().isEmpty());
}

TEST_F(SavingTest, ReplacingAnExistingFileIsAskedFirst) {
  const QString existing = WriteImage("photo.png");
  const QByteArray before = Bytes(existing);
  Start();
  TfrmEdit* editor = NewImage();
  SaveAs("photo", 2);
  Answer("いいえ(&N)");
  Trigger(C::actSaveAs);
  EXPECT_EQ(Bytes(existing), before);
  EXPECT_TRUE(editor->Modified());
  ASSERT_EQ(Questions.size(), 1);
  EXPECT_EQ(Questions[0], "photo.pngは既に存在します。置き換えますか？");

  SaveAs("photo", 2);
  Answer("はい(&Y)");
  Trigger(C::actSaveAs);
  EXPECT_NE(Bytes(existing), before);
  EXPECT_FALSE(editor->Modified());
}

TEST_F(SavingTest, ClosingAModifiedNewImageAsksAndCancelKeepsIt) {
  Start();
  NewImage();
  TfrmEdit* editor = NewImage();
  ASSERT_EQ(editor->windowTitle(), "新規画像2");
  Answer("はい(&Y)");
  CancelDialog();
  Trigger(C::actClose);
  EXPECT_EQ(Questions.value(0), "新規画像2は変更されています。保存しますか？");
  EXPECT_EQ(EditorCount(), 2);
  EXPECT_TRUE(editor->Modified());

  Answer("いいえ(&N)");
  Trigger(C::actClose);
  EXPECT_EQ(EditorCount(), 1) << "no closes the window with its changes lost";
}

TEST_F(SavingTest, ExitAsksEveryModifiedEditorAndCancelStopsIt) {
  const QString named = WriteImage("named.png");
  Start({named});
  TfrmEdit* first = Active();
  Trigger(C::actFlip);
  TfrmEdit* second = NewImage();
  // Front to back: the new image first, then the named one.
  Answer("キャンセル");
  Trigger(C::actExit);
  EXPECT_TRUE(Main->isVisible());
  EXPECT_EQ(EditorCount(), 2);

  Main->MdiArea()->setActiveSubWindow(first);
  Idle();
  const QByteArray before = Bytes(named);
  Answer("はい(&Y)");
  Answer("キャンセル");
  Trigger(C::actExit);
  EXPECT_TRUE(Main->isVisible()) << "a cancel keeps the program running";
  EXPECT_EQ(EditorCount(), 2);
  EXPECT_FALSE(first->Modified()) << "the editor saved on the way stays saved";
  EXPECT_NE(Bytes(named), before);
  EXPECT_TRUE(second->Modified());
  ASSERT_EQ(Questions.size(), 3);
  EXPECT_EQ(Questions[1], "named.pngは変更されています。保存しますか？");
}

// Writes are limited to a few bytes for as long as the object lives: the disk is "full".
class FullDisk {
 public:
  FullDisk() {
    getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = FOld;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FullDisk() {
    setrlimit(RLIMIT_FSIZE, &FOld);
    std::signal(SIGXFSZ, FOldHandler);
  }

 private:
  rlimit FOld{};
  void (*FOldHandler)(int);
};

TEST_F(SavingTest, AFailedWriteKeepsTheFileTheNameAndTheChanges) {
  const QString path = WriteImage("keep.png", QSize(120, 90));
  const QByteArray before = Bytes(path);
  Start({path});
  TfrmEdit* editor = Active();
  Trigger(C::actMirror);
  {
    FullDisk full;
    Trigger(C::actSave);
  }
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains("keep.png")) << Errors[0].toStdString();
  EXPECT_EQ(Bytes(path), before) << "the file on disk is untouched";
  EXPECT_TRUE(editor->Modified());
  EXPECT_EQ(editor->FileName(), path);

  // From the close question the window stays open.
  Answer("はい(&Y)");
  {
    FullDisk full;
    Trigger(C::actClose);
  }
  EXPECT_EQ(EditorCount(), 1);
  EXPECT_EQ(Errors.size(), 2);
  EXPECT_EQ(Bytes(path), before);
}

TEST_F(SavingTest, SavingIntoAReadOnlyFolderReportsAndChangesNothing) {
  const QString folder = File("readonly");
  QDir().mkpath(folder);
  const QString path = folder + "/pic.png";
  WriteImage("readonly/pic.png");
  const QByteArray before = Bytes(path);
  // Root writes through permission bits, so there the folder becomes a read-only mount.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(mount("tmpfs", folder.toLocal8Bit(), "tmpfs", 0, "size=1m"), 0);
    QFile::remove(path);
    WriteImage("readonly/pic.png");
    ASSERT_EQ(mount(nullptr, folder.toLocal8Bit(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  } else {
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  }
  const QByteArray mounted = Bytes(path);
  Start({path});
  TfrmEdit* editor = Active();
  ASSERT_NE(editor, nullptr);
  Trigger(C::actFlip);
  Trigger(C::actSave);
  EXPECT_EQ(Errors.size(), 1);
  EXPECT_EQ(Bytes(path), mounted);
  EXPECT_TRUE(editor->Modified());
  Main.reset();
  if (root)
    umount(folder.toLocal8Bit());
  else
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ExeOwner);
  EXPECT_EQ(Bytes(path), before);
}

}  // namespace
