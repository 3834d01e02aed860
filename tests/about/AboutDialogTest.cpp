#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "AboutBoxUnit.h"
#include "AboutDialog.h"
#include "ProgramAbout.h"

namespace {

struct LinkEvent {
  TLinkOption Label;
  QObject* Sender;
};

// The program's about box over a main window, with its links caught instead of opened.
class AboutDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FMainWindow.setGeometry(100, 120, 600, 400);
    FMainWindow.show();
    ConfigureProgramAbout(FDialog);
    FDialog.SetLinkOpener([this](const QString& link) { FOpened.append(link); });
  }

  // Runs Execute and acts on the box once it is on screen; a box the act leaves open is closed.
  bool ExecuteWith(const std::function<void(TAboutBoxForm&)>& act) {
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      TAboutBoxForm* box = FDialog.AboutBox();
      if (!box || !box->isVisible()) return;
      timer.stop();
      act(*box);
      if (box->isVisible()) box->reject();
    });
    timer.start(10);
    return FDialog.Execute();
  }

  static void HoverText(TFocusLabel* label) {
    const QPoint onText = label->TextRect().center();
    QMouseEvent move(QEvent::MouseMove, onText, label->mapToGlobal(onText), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(label, &move);
  }
  static void ClickText(TFocusLabel* label) {
    HoverText(label);
    QTest::mouseClick(label, Qt::LeftButton, {}, label->TextRect().center());
  }

  QWidget FMainWindow;
  TAboutDialog FDialog{&FMainWindow};
  QStringList FOpened;
};

TEST_F(AboutDialogTest, TheProgramsBoxShowsItsVersionRecord) {
  ExecuteWith([this](TAboutBoxForm& box) {
    EXPECT_EQ(box.windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(box.ApplicationNameLabel->text(), QStringLiteral("Levelora"));
    EXPECT_EQ(box.VersionLabel->text(), QStringLiteral("Version 6.0.0"));
    EXPECT_EQ(box.CopyrightLabel->text(), FDialog.GetCopyright());
    EXPECT_TRUE(box.CopyrightLabel->text().contains(FDialog.GetCompanyName()));
    EXPECT_EQ(box.CommentMemo->toPlainText(),
              QStringLiteral("画像の傾きを補正するアプリケーションです。"));
    EXPECT_EQ(box.CloseButton->text(), QStringLiteral("閉じる(&C)"));
    EXPECT_FALSE(box.AppImage->pixmap().isNull());
  });
}

TEST_F(AboutDialogTest, OnlyTheMakersAddressIsALink) {
  ExecuteWith([this](TAboutBoxForm& box) {
    EXPECT_TRUE(box.DescriptionLabel->text().isEmpty());
    EXPECT_FALSE(box.DescriptionLabel->Linking());
    EXPECT_EQ(box.SupportNameLabel->text(), FDialog.GetCompanyName());
    EXPECT_FALSE(box.SupportNameLabel->Linking());
    EXPECT_FALSE(box.SupportNameLabel->FontChange());
    EXPECT_EQ(box.SupportURLLabel->text(), kMakerURL);
    EXPECT_TRUE(box.SupportURLLabel->Linking());
    EXPECT_TRUE(box.SupportURLLabel->FontChange());
    EXPECT_EQ(box.SupportURLLabel->FocusedCursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(box.SupportURLLabel->FocusedFont().underline());
    EXPECT_EQ(box.SupportURLLabel->FocusedColor(), QColor(Qt::blue));
    ClickText(box.SupportNameLabel);
    EXPECT_TRUE(FOpened.isEmpty());
    ClickText(box.SupportURLLabel);
  });
  EXPECT_EQ(FOpened, QStringList{kMakerURL});
}

TEST_F(AboutDialogTest, TheLinkHandlerLearnsWhichLabelAndCanCancel) {
  FDialog.SetLinkOptions(
      {TLinkOption::loComment, TLinkOption::loMakerName, TLinkOption::loMakerURL});
  FDialog.SetDescLinkText(QStringLiteral("https://levelora.example.org/about"));
  FDialog.SetDescription(QStringLiteral("説明"));
  FDialog.SetAppDataOptions({});
  FDialog.SetMakerNameLinkText(QStringLiteral("https://levelora.example.org/maker"));
  std::vector<TLinkOption> reported;
  bool cancel = true;
  FDialog.SetOnLink([&](QObject* Sender, TLinkOption ALabel, bool& Link) {
    EXPECT_EQ(Sender, &FDialog);
    reported.push_back(ALabel);
    if (cancel) Link = false;
  });
  ExecuteWith([&](TAboutBoxForm& box) {
    ClickText(box.DescriptionLabel);
    ClickText(box.SupportNameLabel);
    ClickText(box.SupportURLLabel);
    EXPECT_TRUE(FOpened.isEmpty());
    cancel = false;
    ClickText(box.SupportURLLabel);
  });
  EXPECT_EQ(reported, (std::vector<TLinkOption>{TLinkOption::loComment, TLinkOption::loMakerName,
                                                TLinkOption::loMakerURL, TLinkOption::loMakerURL}));
  EXPECT_EQ(FOpened, QStringList{kMakerURL});
}

TEST_F(AboutDialogTest, TheFocusedAddressOpensWithTheKeyboard) {
  ExecuteWith([](TAboutBoxForm& box) {
    EXPECT_TRUE(box.CloseButton->hasFocus());
    QTest::keyClick(box.CloseButton, Qt::Key_Tab);
    ASSERT_TRUE(box.SupportURLLabel->hasFocus());
    QTest::keyClick(box.SupportURLLabel, Qt::Key_Return);
    EXPECT_TRUE(box.isVisible());  // Enter on the link does not press the default button
    QTest::keyClick(box.SupportURLLabel, Qt::Key_Space);
  });
  EXPECT_EQ(FOpened, (QStringList{kMakerURL, kMakerURL}));
}

TEST_F(AboutDialogTest, ExecuteTellsHowTheBoxWasClosed) {
  EXPECT_TRUE(
      ExecuteWith([](TAboutBoxForm& box) { QTest::mouseClick(box.CloseButton, Qt::LeftButton); }));
  EXPECT_TRUE(ExecuteWith([](TAboutBoxForm& box) { QTest::keyClick(&box, Qt::Key_Return); }));
  EXPECT_FALSE(ExecuteWith([](TAboutBoxForm& box) { box.close(); }));
  EXPECT_FALSE(ExecuteWith([](TAboutBoxForm& box) { QTest::keyClick(&box, Qt::Key_Escape); }));
  EXPECT_EQ(FDialog.AboutBox(), nullptr);
  EXPECT_FALSE(FDialog.Showing());
}

TEST_F(AboutDialogTest, ShowAndCloseAreReportedAroundTheShowingState) {
  QStringList events;
  FDialog.SetOnShow([&](QObject* Sender) {
    EXPECT_EQ(Sender, &FDialog);
    EXPECT_TRUE(FDialog.Showing());
    events.append(QStringLiteral("show"));
  });
  FDialog.SetOnClose([&](QObject* Sender) {
    EXPECT_EQ(Sender, &FDialog);
    EXPECT_FALSE(FDialog.Showing());
    events.append(QStringLiteral("close"));
  });
  ExecuteWith([](TAboutBoxForm& box) { box.CloseButton->click(); });
  EXPECT_EQ(events, (QStringList{"show", "close"}));
}

TEST_F(AboutDialogTest, PropertiesStandInForTheRecordWhereTheirOptionIsOff) {
  FDialog.SetAppDataOptions({});
  FDialog.SetAppName(QStringLiteral("Other"));
  FDialog.SetAppVersion(QStringLiteral("2.1"));
  FDialog.SetCopyright(QStringLiteral("(C) Someone"));
  FDialog.SetDescription(QStringLiteral("A description"));
  FDialog.SetUserComment({QStringLiteral("first"), QStringLiteral("second")});
  FDialog.SetMakerNameHint(QStringLiteral("the maker"));
  ExecuteWith([](TAboutBoxForm& box) {
    EXPECT_EQ(box.ApplicationNameLabel->text(), QStringLiteral("Other"));
    EXPECT_EQ(box.VersionLabel->text(), QStringLiteral("2.1"));
    EXPECT_EQ(box.CopyrightLabel->text(), QStringLiteral("(C) Someone"));
    EXPECT_EQ(box.DescriptionLabel->text(), QStringLiteral("A description"));
    EXPECT_EQ(box.CommentMemo->toPlainText(), QStringLiteral("first\nsecond"));
    EXPECT_EQ(box.SupportNameLabel->toolTip(), QStringLiteral("the maker"));
  });
}

TEST_F(AboutDialogTest, ChangesWhileTheBoxIsOpenShowAtOnce) {
  ExecuteWith([this](TAboutBoxForm& box) {
    FDialog.SetAppName(QStringLiteral("Renamed"));
    FDialog.SetAppVersion(QStringLiteral("9"));
    FDialog.SetUserComment({QStringLiteral("new comment")});
    FDialog.SetMakerURLCaption(QStringLiteral("elsewhere"));
    FDialog.SetIcon(QIcon());
    EXPECT_EQ(box.ApplicationNameLabel->text(), QStringLiteral("Renamed"));
    EXPECT_EQ(box.VersionLabel->text(), QStringLiteral("9"));
    EXPECT_EQ(box.CommentMemo->toPlainText(), QStringLiteral("new comment"));
    EXPECT_EQ(box.SupportURLLabel->text(), QStringLiteral("elsewhere"));
    EXPECT_TRUE(box.AppImage->pixmap().isNull());
  });
  FDialog.SetAppName(QStringLiteral("stored only"));
  EXPECT_EQ(FDialog.AppName(), QStringLiteral("stored only"));
}

TEST_F(AboutDialogTest, TheBoxIsCentredOverTheMainWindow) {
  ExecuteWith([this](TAboutBoxForm& box) {
    const QPoint offset = box.frameGeometry().center() - FMainWindow.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 40);
  });
}

TEST(AboutDialogRecordTest, ARecordWithoutStringsLeavesTheLinesEmpty) {
  TAboutDialog dialog(nullptr, TVersionRecord{});
  EXPECT_EQ(dialog.AppDataOptions(),
            (TAppDataOptions{TAppDataOption::aoAppName, TAppDataOption::aoCopyright,
                             TAppDataOption::aoVersion, TAppDataOption::aoDescription}));
  EXPECT_EQ(dialog.LinkOptions(), TLinkOptions{TLinkOption::loMakerURL});
  EXPECT_EQ(dialog.Position(), TDialogPosition::dpMainFormCenter);
  QTimer::singleShot(0, [&] {
    TAboutBoxForm* box = dialog.AboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->ApplicationNameLabel->text().isEmpty());
    EXPECT_EQ(box->VersionLabel->text(), QStringLiteral("Version "));
    EXPECT_TRUE(box->CopyrightLabel->text().isEmpty());
    EXPECT_TRUE(box->DescriptionLabel->text().isEmpty());
    box->CloseButton->click();
  });
  EXPECT_TRUE(dialog.Execute());
}

}  // namespace

namespace {

// A look at the box under a real display: LEVELORA_SHOTS names the folder for the picture.
TEST_F(AboutDialogTest, DISABLED_Screenshot) {
  ExecuteWith([](TAboutBoxForm& box) {
    HoverText(box.SupportURLLabel);
    QTest::qWait(200);
    box.grab().save(qEnvironmentVariable("LEVELORA_SHOTS") + QStringLiteral("/about.png"));
  });
}

}  // namespace
