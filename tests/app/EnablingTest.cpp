#include <QMdiSubWindow>
#include <set>

#include "MainHarness.h"

namespace {

using C = TCommand;

std::set<TCommand> Enabled(const TfrmMain& main) {
  std::set<TCommand> result;
  for (int i = 0; i < kCommandCount; ++i)
    if (main.Action(static_cast<TCommand>(i))->isEnabled()) result.insert(static_cast<TCommand>(i));
  return result;
}

class EnablingTest : public MainTest {
 protected:
  void Key(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    QTest::keyClick(Main.get(), static_cast<Qt::Key>(Key), Modifiers);
    Idle();
  }
  void Drag(TfrmEdit* Editor, QPoint From, QPoint To) {
    Editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, From.x(), From.y());
    Editor->pbxEditMouseMove(To.x(), To.y());
    Editor->pbxEditMouseUp(Qt::LeftButton, To.x(), To.y());
  }
};

TEST_F(EnablingTest, FreshStartOffersOnlyTheCommandsThatNeedNoImage) {
  TfrmMain& main = Start();
  const std::set<TCommand> expected = {C::actOpen,  C::actScan,  C::actSelectTwain, C::actOption,
                                       C::actExit,  C::actPaste, C::actLoupe,       C::actRevise,
                                       C::actShowHelp, C::actAbout};
  EXPECT_EQ(Enabled(main), expected);
  Key(Qt::Key_S, Qt::ControlModifier);
  Key(Qt::Key_U, Qt::ControlModifier);
  EXPECT_TRUE(Answers.empty());
  EXPECT_FALSE(Act(C::actRevise)->isChecked());
  Key(Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(Act(C::actRevise)->isChecked()) << "with no editor Ctrl+R only flips the check";

  main.OpenFile(WriteImage("a.png"));
  Idle();
  EXPECT_FALSE(Act(C::actRevise)->isChecked()) << "the new editor is in selection mode";
  EXPECT_EQ(Active()->EditMode(), TEditMode::emSelect);
}

TEST_F(EnablingTest, RectangleTrimAndUndoFollowTheirRules) {
  TfrmMain& main = Start({WriteImage("a.png", QSize(60, 40))});
  TfrmEdit* editor = Active();
  editor->Zoom(TZoomState::zsZoomAs, 1.0);
  Drag(editor, QPoint(10, 5), QPoint(30, 20));
  EXPECT_TRUE(Act(C::actCopy)->isEnabled());
  EXPECT_TRUE(Act(C::actTrim)->isEnabled());
  for (C c : {C::actMirror, C::actFlip, C::actRotate}) EXPECT_FALSE(Act(c)->isEnabled());
  EXPECT_FALSE(Act(C::actUndo)->isEnabled()) << "a selection does not refresh undo";
  main.frmEditActivate(editor);
  EXPECT_TRUE(Act(C::actUndo)->isEnabled()) << "activation counts the mark";

  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(editor->Bitmap()->Width(), 20);
  EXPECT_EQ(editor->Bitmap()->Height(), 15);
  EXPECT_TRUE(Act(C::actUndo)->isEnabled());
  for (C c : {C::actMirror, C::actFlip, C::actRotate}) EXPECT_TRUE(Act(c)->isEnabled());
  EXPECT_FALSE(Act(C::actTrim)->isEnabled());

  Key(Qt::Key_U, Qt::ControlModifier);
  EXPECT_EQ(editor->Bitmap()->Width(), 60);
  EXPECT_FALSE(Act(C::actUndo)->isEnabled());
}

TEST_F(EnablingTest, CorrectionCheckFollowsTheActiveEditor) {
  TfrmMain& main = Start({WriteImage("a.png"), WriteImage("b.png")});
  auto windows = main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
  auto* a = qobject_cast<TfrmEdit*>(windows[0]);
  auto* b = qobject_cast<TfrmEdit*>(windows[1]);
  ASSERT_EQ(Active(), b);
  Key(Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(Act(C::actRevise)->isChecked());
  EXPECT_EQ(b->EditMode(), TEditMode::emRevise);
  main.MdiArea()->setActiveSubWindow(a);
  Idle();
  EXPECT_FALSE(Act(C::actRevise)->isChecked());
  EXPECT_EQ(a->EditMode(), TEditMode::emSelect);
  main.MdiArea()->setActiveSubWindow(b);
  Idle();
  EXPECT_TRUE(Act(C::actRevise)->isChecked());
}

TEST_F(EnablingTest, ACompletedCorrectionLineRefusesCopyTrimAndTheEdits) {
  Start({WriteImage("a.png", QSize(200, 100))});
  TfrmEdit* editor = Active();
  editor->Zoom(TZoomState::zsZoomAs, 1.0);
  Key(Qt::Key_R, Qt::ControlModifier);
  const bool undoBefore = Act(C::actUndo)->isEnabled();
  for (QPoint p : {QPoint(10, 10), QPoint(90, 20)}) {
    editor->pbxEditMouseDown(Qt::LeftButton, Qt::LeftButton, p.x(), p.y());
    editor->pbxEditMouseUp(Qt::LeftButton, p.x(), p.y());
  }
  ASSERT_TRUE(editor->Selected());
  editor->ppmRotate()->hide();
  for (C c : {C::actCopy, C::actTrim, C::actMirror, C::actFlip, C::actRotate})
    EXPECT_FALSE(Act(c)->isEnabled());
  EXPECT_EQ(Act(C::actUndo)->isEnabled(), undoBefore);
}

TEST_F(EnablingTest, SwitchingEditorsDeactivatesTheOldOneFirst) {
  TfrmMain& main = Start({WriteImage("a.png")});
  TfrmEdit* a = Active();
  std::vector<std::string> order;
  a->SetOnDeactivate([&](TfrmEdit* e) {
    order.push_back("deactivate a");
    main.frmEditDeactivate(e);
  });
  main.OpenFile(WriteImage("b.png"));
  Idle();
  ASSERT_FALSE(order.empty());
  EXPECT_EQ(order.front(), "deactivate a");
  EXPECT_TRUE(Act(C::actSave)->isEnabled()) << "the new editor's image enabled the commands";
  EXPECT_EQ(Active()->windowTitle(), "b.png");
}

TEST_F(EnablingTest, ClosingEveryEditorDisablesTheEditorAndWindowCommands) {
  Start({WriteImage("a.png"), WriteImage("b.png"), WriteImage("c.png")});
  EXPECT_TRUE(Act(C::actWinCascade)->isEnabled());
  for (int i = 0; i < 3; ++i) Trigger(C::actClose);
  EXPECT_EQ(EditorCount(), 0);
  for (C c : {C::actSave, C::actClose, C::actSaveAs, C::actUndo, C::actCopy, C::actTrim,
              C::actMirror, C::actFlip, C::actRotate, C::actZoomSame, C::actZoomAll, C::actZoomIn,
              C::actZoomOut, C::actZoomAs, C::actFitWindow, C::actRevise, C::actWinCascade,
              C::actWinTileHorz, C::actWinTileVert, C::actWinArrange})
    EXPECT_FALSE(Act(c)->isEnabled()) << QString::fromUtf16(CommandInfo(c).Caption).toStdString();
}

TEST_F(EnablingTest, ZoomShortcuts) {
  Start({WriteImage("a.png", QSize(50, 50))});
  TfrmEdit* editor = Active();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(editor->ShowRate(), 1.0);
  Key(Qt::Key_F4);
  EXPECT_EQ(editor->ShowRate(), 1.2);
  Key(Qt::Key_F4, Qt::ShiftModifier);
  Key(Qt::Key_F4, Qt::ShiftModifier);
  EXPECT_DOUBLE_EQ(editor->ShowRate(), 0.8);
}

TEST_F(EnablingTest, TilingFillsTheFrameInBothDirections) {
  TfrmMain& main = Start({WriteImage("a.png"), WriteImage("b.png")});
  main.resize(800, 600);
  Idle();
  const QRect area = main.MdiArea()->viewport()->rect();
  const auto windows = main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
  Trigger(C::actWinTileHorz);
  for (QMdiSubWindow* w : windows) EXPECT_EQ(w->width(), area.width());
  EXPECT_EQ(windows[0]->height() + windows[1]->height(), area.height());
  EXPECT_EQ(windows[1]->y(), windows[0]->height());
  Trigger(C::actWinTileVert);
  for (QMdiSubWindow* w : windows) EXPECT_EQ(w->height(), area.height());
  EXPECT_EQ(windows[0]->width() + windows[1]->width(), area.width());
  for (QMdiSubWindow* w : windows) w->showMinimized();
  Trigger(C::actWinArrange);
  for (QMdiSubWindow* w : windows) EXPECT_EQ(w->geometry().bottom(), area.bottom());
  EXPECT_EQ(windows[1]->x(), windows[0]->width());
}

}  // namespace
