#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "ExtIniFile.h"
#include "MainHarness.h"
#include "UpdownNumberEdit.h"
#include "untAngle.h"
#include "untLupe.h"
#include "untOption.h"
#include "untZoom.h"

namespace {

using C = TCommand;

class ToolWindowsTest : public MainTest {
 protected:
  static void Ok(QWidget* Dialog, const char* Button = "btnOk") {
    auto* ok = Dialog->findChild<QPushButton*>(QString::fromLatin1(Button));
    ASSERT_NE(ok, nullptr);
    ok->click();
  }
};

TEST_F(ToolWindowsTest, TheLoupeFollowsItsCommandAndThePointer) {
  Start({WriteImage("a.png", QSize(40, 30))});
  ASSERT_TRUE(Act(C::actLoupe)->isChecked()) << "shown by default";
  ASSERT_NE(frmLupe, nullptr);
  TfrmEdit* editor = Active();
  editor->pbxEditMouseMove(0, 0);
  EXPECT_EQ(frmLupe->Target(), editor);

  Trigger(C::actLoupe);
  EXPECT_FALSE(Act(C::actLoupe)->isChecked());
  EXPECT_EQ(frmLupe, nullptr) << "closing frees the loupe";
  editor->pbxEditMouseMove(3, 3);  // no loupe to feed

  Trigger(C::actLoupe);
  ASSERT_NE(frmLupe, nullptr);
  EXPECT_EQ(frmLupe->Target(), editor) << "a new loupe starts on the active editor";
  EXPECT_EQ(frmLupe->Points(), (TPoint{0, 0}));
}

TEST_F(ToolWindowsTest, ConfirmedOptionsTakeEffectAtOnce) {
  TfrmMain& main = Start();
  WhenModal([&](QWidget* w) {
    EXPECT_EQ(static_cast<QWidget*>(frmOption), w);
    w->findChild<QSlider*>(QStringLiteral("trkTrans"))->setValue(64);
    Ok(w);
  });
  Trigger(C::actOption);
  EXPECT_EQ(frmOption, nullptr);
  EXPECT_EQ(main.BackColor(), 0x40FFFFFFu);
  EXPECT_EQ(main.iniMain().ReadInt("Options", "BackAlpha", 255), 64);

  CancelDialog();
  Trigger(C::actOption);
  EXPECT_EQ(main.BackColor(), 0x40FFFFFFu);
}

TEST_F(ToolWindowsTest, RotationByATypedAngle) {
  Start({WriteImage("a.png", QSize(100, 50))});
  TfrmEdit* editor = Active();
  WhenModal([&](QWidget* w) {
    EXPECT_EQ(static_cast<QWidget*>(frmAngle), w);
    w->findChild<TUpdownNumberEdit*>(QStringLiteral("edtAngle"))->SetValue(90);
    Ok(w, "btnExec");
  });
  Trigger(C::actRotate);
  EXPECT_EQ(editor->Bitmap()->Image().size(), QSize(50, 100));
  CancelDialog();
  Trigger(C::actRotate);
  EXPECT_EQ(editor->UndoStack().Count(), 1) << "a cancelled dialog turns nothing";
}

TEST_F(ToolWindowsTest, ZoomDialogPreviewsAndCancelTakesItBack) {
  Start({WriteImage("a.png", QSize(100, 50))});
  TfrmEdit* editor = Active();
  editor->Zoom(TZoomState::zsZoomAs, 1.0);
  WhenModal([&](QWidget* w) {
    EXPECT_EQ(static_cast<QWidget*>(frmZoom), w);
    w->findChild<TUpdownNumberEdit*>(QStringLiteral("edtZoom"))->SetValue(250);
    EXPECT_DOUBLE_EQ(editor->ShowRate(), 2.5) << "the editor shows the rate while choosing";
    qobject_cast<QDialog*>(w)->reject();
  });
  Trigger(C::actZoomAs);
  EXPECT_DOUBLE_EQ(editor->ShowRate(), 1.0);
}

}  // namespace

namespace {

TEST_F(ToolWindowsTest, TheAboutBoxNamesTheProgramAndItsVersion) {
  Start();
  WhenModal([&](QWidget* w) {
    QStringList texts;
    for (QLabel* label : w->findChildren<QLabel*>()) texts << label->text();
    const QString all = texts.join(u'\n');
    EXPECT_TRUE(all.contains("Levelora")) << all.toStdString();
    EXPECT_TRUE(all.contains("6.0.0")) << all.toStdString();
    qobject_cast<QDialog*>(w)->reject();
  });
  Trigger(C::actAbout);
}

}  // namespace

namespace {

TEST_F(ToolWindowsTest, AScanThatCannotStartOpensNothingAndUsesNoNumber) {
  // The test program has no scanner source manager beside it.
  Start();
  Trigger(C::actScan);
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains("TWAIN_32.DLL")) << Errors[0].toStdString();
  EXPECT_EQ(EditorCount(), 0);
  QImage picture(4, 4, QImage::Format_ARGB32);
  picture.fill(Qt::red);
  QApplication::clipboard()->setImage(picture);
  Trigger(C::actPaste);
  ASSERT_EQ(EditorCount(), 1);
  EXPECT_EQ(Active()->windowTitle(), "新規画像1");
}

}  // namespace
