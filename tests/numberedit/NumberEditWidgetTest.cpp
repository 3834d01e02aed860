#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

#include "NumberEdit.h"
#include "WidgetTestSupport.h"

namespace {

class NumberEditWidgetTest : public ::testing::Test {
 protected:
  NumberEditWidgetTest() {
    w.Edit->SetOnChange([this](TNumberEditModel&) { ++changes; });
  }
  TEditWindow<TNumberEdit> w;
  TNumberEdit& edit = *w.Edit;
  int changes = 0;
};

TEST_F(NumberEditWidgetTest, KeysAreFilteredBeforeTheLineEditInsertsThem) {
  w.Enter();
  QTest::keyClicks(&edit, "1a2 b.3.4x");
  EXPECT_EQ(edit.text(), "12.34");
  EXPECT_EQ(edit.Value(), 12.34L);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QTest::keyClick(&edit, Qt::Key_Home);
  QTest::keyClick(&edit, Qt::Key_Delete);
  EXPECT_EQ(edit.text(), "2.3");
  QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);  // Ctrl shortcuts keep working
  QTest::keyClick(&edit, '7');
  EXPECT_EQ(edit.text(), "7");
}

TEST_F(NumberEditWidgetTest, TypedValueBelowTheLimitIsShownUntilTheFocusLeaves) {
  edit.SetMax(400);
  edit.SetMin(20);
  edit.SetLimit(true);
  w.Enter();
  QTest::keyClick(&edit, '5');
  EXPECT_EQ(edit.text(), "5");
  EXPECT_EQ(edit.Value(), 20);
  EXPECT_EQ(changes, 1);
  w.Leave();
  EXPECT_EQ(edit.text(), "20");
  EXPECT_TRUE(edit.isModified());
}

TEST_F(NumberEditWidgetTest, SignAndArrowKeys) {
  edit.SetValue(12);
  w.Enter();
  QTest::keyClick(&edit, Qt::Key_End);
  QTest::keyClick(&edit, '-');
  EXPECT_EQ(edit.text(), "-12");
  EXPECT_EQ(edit.cursorPosition(), 3);
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.text(), "-12");  // AllowKeys is off
  edit.SetAllowKeys(true);
  QTest::keyClick(&edit, Qt::Key_Up);
  QTest::keyClick(&edit, Qt::Key_Up);
  QTest::keyClick(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.text(), "-11");
}

TEST_F(NumberEditWidgetTest, CommaRegroupsAsTheUserTypes) {
  edit.SetComma(true);
  w.Enter();
  QTest::keyClicks(&edit, "1234567");
  EXPECT_EQ(edit.text(), "1,234,567");
  EXPECT_EQ(edit.cursorPosition(), 9);
  EXPECT_EQ(edit.Value(), 1234567);
}

TEST_F(NumberEditWidgetTest, PasteKeysGoThroughTheFilter) {
  for (const QKeyCombination key :
       {Qt::ControlModifier | Qt::Key_V, Qt::ShiftModifier | Qt::Key_Insert}) {
    edit.SetValue(0);
    w.Enter();
    QGuiApplication::clipboard()->setText(QStringLiteral("1.2.3"));
    QTest::keyClick(&edit, key.key(), key.keyboardModifiers());
    EXPECT_EQ(edit.text(), "1.23");
    QTest::keyClick(&edit, Qt::Key_Home);
    QGuiApplication::clipboard()->setText(QStringLiteral("-5"));
    QTest::keyClick(&edit, key.key(), key.keyboardModifiers());
    EXPECT_EQ(edit.text(), "-51.23");
    EXPECT_EQ(edit.Value(), -51.23L);
  }
}

TEST_F(NumberEditWidgetTest, ContextMenuPasteGoesThroughTheFilter) {
  edit.SetText(QStringLiteral("12"));
  w.Enter();
  QTest::keyClick(&edit, Qt::Key_Home);
  QGuiApplication::clipboard()->setText(QStringLiteral("-5y"));
  bool pasted = false;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
      return a->text().startsWith(QStringLiteral("&Paste"));
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    pasted = true;
    menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&edit, &event);
  EXPECT_TRUE(pasted);
  EXPECT_EQ(edit.text(), "-512");
}

TEST_F(NumberEditWidgetTest, MiddleButtonPasteGoesThroughTheFilter) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard->supportsSelection()) GTEST_SKIP() << "this platform has no selection clipboard";
  edit.SetText(QStringLiteral("12"));
  w.Enter();
  clipboard->setText(QStringLiteral("3a.4.5"), QClipboard::Selection);
  // Left of the right-aligned text: the selection goes in at the front.
  QTest::mouseClick(&edit, Qt::MiddleButton, {}, QPoint(3, edit.height() / 2));
  EXPECT_EQ(edit.text(), "3.4512");
}

TEST_F(NumberEditWidgetTest, FocusEnterSelectsAllOrPlacesTheCaretAtTheEnd) {
  edit.SetValue(123);
  w.Enter();
  EXPECT_EQ(edit.selectedText(), "123");
  w.Leave();
  edit.SetAutoSelect(false);
  w.Enter();
  EXPECT_FALSE(edit.hasSelectedText());
  EXPECT_EQ(edit.cursorPosition(), 3);
}

TEST_F(NumberEditWidgetTest, NinthHexDigitShowsTheConversionErrorAndKeepsTheValue) {
  edit.SetNumberType(TNumberType::ntHex);
  w.Enter();
  QTest::keyClicks(&edit, "12345678");
  QString shown;
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->windowTitle() + "|" + box->text();
      box->accept();
    }
  });
  closer.start(10);
  QTest::keyClick(&edit, '9');
  QTRY_VERIFY(!shown.isEmpty());
  EXPECT_EQ(shown, QStringLiteral("Levelora|'123456789' は有効な整数値ではありません."));
  EXPECT_EQ(edit.Value(), 0x12345678);
}

TEST_F(NumberEditWidgetTest, AlignmentFollowsTheProperty) {
  EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
  edit.SetAlignment(TAlignment::taCenter);
  EXPECT_TRUE(edit.alignment() & Qt::AlignHCenter);
  edit.SetAlignment(TAlignment::taLeftJustify);
  EXPECT_TRUE(edit.alignment() & Qt::AlignLeft);
}

}  // namespace
