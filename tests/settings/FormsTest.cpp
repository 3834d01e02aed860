// Window placement of forms and bounds of controls, over real widgets on the offscreen platform.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include "StoreFixture.h"
#include "TestApplication.h"

namespace {

const auto* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TApplicationEnvironment<QApplication>);

// A top-level window named as forms are, not yet shown.
std::unique_ptr<QWidget> MakeForm(const QRect& Bounds = QRect(30, 40, 300, 200)) {
  auto Form = std::make_unique<QWidget>();
  Form->setObjectName("frmTest");
  Form->setGeometry(Bounds);
  return Form;
}

void ShowAndWait(QWidget& Form) {
  Form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form) || Form.isMinimized());
}

using FormTest = StoreFixture;

TEST_F(FormTest, WriteFormWritesTheRecord) {
  auto Form = MakeForm();
  ShowAndWait(*Form);
  auto Store = Open();
  Store->WriteForm2("Forms", *Form);
  QStringList Lines;
  Store->ReadSection("Forms", Lines);
  EXPECT_EQ(Lines, QStringList({"frmTest=FORM", "frmTest.flags=0", "frmTest.show=1",
                                "frmTest.mx=-1", "frmTest.my=-1", "frmTest.left=30",
                                "frmTest.top=40", "frmTest.right=330", "frmTest.bottom=240",
                                "frmTest.state=0", "frmTest.cwidth=300", "frmTest.cheight=200"}));
}

TEST_F(FormTest, ReadFormWithNothingStoredKeepsTheBoundsAndMakesAHiddenFormNormal) {
  auto Form = MakeForm();
  Form->setWindowState(Qt::WindowMaximized);
  auto Store = Open();
  Store->ReadForm2("Forms", *Form);
  EXPECT_EQ(Form->geometry(), QRect(30, 40, 300, 200));
  EXPECT_EQ(Form->windowState(), Qt::WindowNoState);
  EXPECT_FALSE(Form->isVisible());
}

struct TStateCase {
  const char* Name;
  Qt::WindowState Written;
  Qt::WindowState Restored;
  int32_t StateOrdinal;
};

class HiddenFormStateTest : public StoreFixture, public testing::WithParamInterface<TStateCase> {};

TEST_P(HiddenFormStateTest, RestoresNormalOrMaximisedNeverMinimised) {
  auto Written = MakeForm(QRect(50, 60, 320, 240));
  ShowAndWait(*Written);
  Written->setWindowState(GetParam().Written);
  QTest::qWait(10);
  auto Store = Open();
  Store->WriteForm2("Forms", *Written);
  ASSERT_EQ(Store->ReadInt("Forms", "frmTest.state", -1), GetParam().StateOrdinal);
  Store->Update();

  auto Reread = Open();
  auto Form = MakeForm();
  Reread->ReadForm2("Forms", *Form);
  EXPECT_FALSE(Form->isVisible());
  EXPECT_EQ(Form->windowState(), GetParam().Restored);
  const QRect Normal =
      Form->windowState() == Qt::WindowNoState ? Form->geometry() : Form->normalGeometry();
  EXPECT_EQ(Normal, QRect(50, 60, 320, 240));
}

INSTANTIATE_TEST_SUITE_P(
    States, HiddenFormStateTest,
    testing::Values(TStateCase{"Normal", Qt::WindowNoState, Qt::WindowNoState, 0},
                    TStateCase{"Minimised", Qt::WindowMinimized, Qt::WindowNoState, 1},
                    TStateCase{"Maximised", Qt::WindowMaximized, Qt::WindowMaximized, 2}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(FormTest, ReadFormAppliesThePlacementToAShowingForm) {
  auto Store = Open(
      "[Forms]\r\nfrmTest.left=70\r\nfrmTest.top=80\r\nfrmTest.right=270\r\n"
      "frmTest.bottom=230\r\nfrmTest.show=3\r\n");
  auto Form = MakeForm();
  ShowAndWait(*Form);
  Store->ReadForm2("Forms", *Form);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->windowState(), Qt::WindowMaximized);
  EXPECT_EQ(Form->normalGeometry(), QRect(70, 80, 200, 150));
}

TEST_F(FormTest, ReadFormExAlsoTakesTheClientSize) {
  auto Store = Open("[Forms]\r\nfrmTest.left=10\r\nfrmTest.cwidth=123\r\nfrmTest.cheight=45\r\n");
  auto Form = MakeForm();
  Store->ReadFormEx2("Forms", *Form);
  EXPECT_EQ(Form->geometry(), QRect(10, 40, 123, 45));
}

TEST_F(FormTest, ReadWinSizeKeepsThePosition) {
  auto Store = Open(
      "[F]\r\nw.left=10\r\nw.top=20\r\nw.right=410\r\nw.bottom=320\r\n"
      "w.cwidth=77\r\nw.cheight=66\r\n");
  auto Form = MakeForm(QRect(100, 50, 10, 10));
  Store->ReadWinSize("F", "w", *Form);
  EXPECT_EQ(Form->geometry(), QRect(100, 50, 400, 300));
  Store->ReadWinSizeEx("F", "w", *Form);
  EXPECT_EQ(Form->geometry(), QRect(100, 50, 77, 66));
}

TEST_F(FormTest, ReadWinPosTakesOnlyThePosition) {
  auto Store = Open("[F]\r\nw.left=5\r\nw.right=999\r\n");
  auto Form = MakeForm();
  Store->ReadWinPos("F", "w", *Form);
  EXPECT_EQ(Form->geometry(), QRect(5, 40, 300, 200));
}

TEST_F(FormTest, DamagedPlacementNumbersGiveUsableBounds) {
  auto Store = Open(
      "[F]\r\nw.left=2147483647\r\nw.top=-2147483648\r\nw.right=-2147483648\r\n"
      "w.bottom=2147483647\r\nw.show=4294967295\r\nw.state=-7\r\n");
  auto Form = MakeForm();
  Store->ReadWinSize("F", "w", *Form);
  Store->ReadForm("F", "w", *Form);
  EXPECT_GE(Form->width(), 0);
  EXPECT_GE(Form->height(), 0);
  EXPECT_EQ(Form->windowState(), Qt::WindowNoState);
}

TEST_F(FormTest, BoundsOfControls) {
  QWidget Parent;
  QWidget Control(&Parent);
  Control.setGeometry(1, 2, 30, 40);
  auto Store = Open();
  Store->WriteBounds("B", "c", Control);
  QStringList Lines;
  Store->ReadSection("B", Lines);
  EXPECT_EQ(Lines, QStringList({"c=BOUNDS", "c.left=1", "c.top=2", "c.width=30", "c.height=40"}));
  Control.setGeometry(9, 9, 9, 9);
  Store->ReadBounds("B", "c", Control);
  EXPECT_EQ(Control.geometry(), QRect(1, 2, 30, 40));
  Control.setGeometry(9, 9, 9, 9);
  Store->ReadPos("B", "c", Control);
  EXPECT_EQ(Control.geometry(), QRect(1, 2, 9, 9));
  Control.setGeometry(9, 9, 9, 9);
  Store->ReadSize("B", "c", Control);
  EXPECT_EQ(Control.geometry(), QRect(9, 9, 30, 40));
  Store->DeleteItem("B", "c");
  EXPECT_EQ(Store->SectionCount(), 1);
  Store->ReadSection("B", Lines);
  EXPECT_TRUE(Lines.isEmpty());
}

TEST_F(FormTest, DeleteItemRemovesTheWholeFormRecord) {
  auto Form = MakeForm();
  auto Store = Open("[Forms]\r\nLoupe=1\r\n");
  Store->WriteForm2("Forms", *Form);
  Store->DeleteItem("Forms", "frmtest");
  QStringList Lines;
  Store->ReadSection("Forms", Lines);
  EXPECT_EQ(Lines, QStringList({"Loupe=1"}));
}

}  // namespace
