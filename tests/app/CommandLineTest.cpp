#include <QDir>
#include <QFile>
#include <QLabel>

#include "MainHarness.h"

namespace {

TEST_F(MainTest, CommandLineOpensPicturesInOrderAndSkipsTheRest) {
  const QString a = WriteImage("a.png");
  const QString b = WriteImage("b.JPEG", QSize(30, 20), "JPEG");
  const QString notes = File("notes.txt");
  QFile(notes).open(QIODevice::WriteOnly);
  TfrmMain& main = Start({a, File("missing.jpg"), notes, b});
  ASSERT_EQ(EditorCount(), 2);
  const auto windows = main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
  EXPECT_EQ(windows[0]->windowTitle(), "a.png");
  EXPECT_EQ(windows[1]->windowTitle(), "b.JPEG");
  ASSERT_NE(Active(), nullptr);
  EXPECT_EQ(Active()->FileName(), b) << "the last one ends in front";
  EXPECT_TRUE(Act(TCommand::actSave)->isEnabled());
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(MainTest, CommandLineMatchesExtensionsInAnyCaseAndNeedsAFile) {
  const QString scan = WriteImage("scan.Tif", QSize(20, 20), "TIFF");
  const QString bare = WriteImage("picture", QSize(20, 20), "PNG");
  QDir(Dir.path()).mkdir("x.png");
  Start({File("x.png"), bare, scan});
  ASSERT_EQ(EditorCount(), 1);
  EXPECT_EQ(Active()->windowTitle(), "scan.Tif");
}

TEST_F(MainTest, AFileThatDoesNotDecodeLeavesNoTraceAndTheEarlierEditorActive) {
  const QString good = WriteImage("good.png");
  const QString bad = File("bad.png");
  QFile text(bad);
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("plain text, not a picture");
  text.close();
  TfrmMain& main = Start({good});
  ASSERT_EQ(EditorCount(), 1);
  TfrmEdit* first = Active();

  main.OpenFile(bad);
  Idle();
  EXPECT_EQ(EditorCount(), 1);
  EXPECT_EQ(Active(), first);
  EXPECT_TRUE(Act(TCommand::actSave)->isEnabled()) << "the earlier editor has its commands back";
  EXPECT_TRUE(Act(TCommand::actZoomIn)->isEnabled());
  EXPECT_TRUE(Errors.isEmpty()) << "no message for a picture that does not decode";
}

TEST_F(MainTest, OpenDialogStartsInTheLastFolderWithAnEmptyNameAndTheLastFilter) {
  const QString first = WriteImage("first.png");
  TfrmMain& main = Start();
  WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "画像を開く");
    EXPECT_EQ(dialog->nameFilters().size(), 8);
    EXPECT_EQ(dialog->nameFilters().at(0),
              "すべて (*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.tif;*.tiff)");
    // The pane beside the list previews the picture under the cursor.
    emit dialog->currentChanged(first);
    EXPECT_FALSE(main.dlgOpen().Preview()->pixmap().isNull());
    emit dialog->currentChanged(Dir.path());
    EXPECT_TRUE(main.dlgOpen().Preview()->pixmap().isNull());
    dialog->selectNameFilter(dialog->nameFilters().at(2));
    Choose(dialog, Dir.path(), "first.png");
  });
  Trigger(TCommand::actOpen);
  ASSERT_EQ(EditorCount(), 1);
  EXPECT_EQ(Active()->FileName(), first);

  WhenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(Dir.path()).canonicalPath());
    EXPECT_EQ(dialog->selectedNameFilter(), dialog->nameFilters().at(2));
    EXPECT_TRUE(main.dlgOpen().FileName().isEmpty());
    dialog->reject();
  });
  Trigger(TCommand::actOpen);
  EXPECT_EQ(EditorCount(), 1) << "a cancelled dialog opens nothing";
}

TEST_F(MainTest, ErrorBoxGetsAFullStopAfterTextThatEndsAboveIt) {
  EXPECT_EQ(ErrorBoxText("保存できません"), "保存できません.");
  EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Really!"), "Really!") << "'!' sorts below '.'";
  EXPECT_EQ(ErrorBoxText(""), "");
}

}  // namespace
