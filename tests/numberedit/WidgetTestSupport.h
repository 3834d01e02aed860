#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

// A shown, active window holding the control under test and a plain line edit to move the focus
// to.
template <class TEdit>
class TEditWindow {
 public:
  TEditWindow() {
    auto* layout = new QVBoxLayout(&Window);
    Edit = new TEdit(&Window);
    Other = new QLineEdit(&Window);
    layout->addWidget(Edit);
    layout->addWidget(Other);
    Window.show();
    Window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
  }
  // Focus into the edit with everything selected, as a Tab would.
  void Enter() {
    Other->setFocus();
    Edit->setFocus(Qt::TabFocusReason);
  }
  void Leave() { Other->setFocus(Qt::TabFocusReason); }

  QWidget Window;
  TEdit* Edit;
  QLineEdit* Other;
};
