#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "ErrorGuard.h"
#include "Exception.h"
#include "SaneTestBackend.h"
#include "TwainUtils.h"

namespace {

QString ErrorOf(const std::function<void()>& Work) {
  try {
    Work();
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}

class TwainSession : public ::testing::Test {
 protected:
  void SetUp() override {
    SetErrorBoxHandler([this](const QString& Text) { FShownErrors << Text; });
  }
  void TearDown() override { SetErrorBoxHandler(nullptr); }

  TSaneTestBackend FBackend;
  QStringList FShownErrors;
};

}  // namespace

TEST_F(TwainSession, IdentifiesTheApplication) {
  TTwain twain;
  const TW_IDENTITY& app = twain.Application();
  EXPECT_EQ(app.Id, 0u);
  EXPECT_EQ(app.Version.Language, 0xFFFF);
  EXPECT_EQ(app.Version.Country, 81);
  EXPECT_STREQ(app.Version.Info, "VERSION INFO");
  EXPECT_EQ(app.ProtocolMajor, 1);
  EXPECT_EQ(app.ProtocolMinor, 8);
  EXPECT_EQ(app.SupportedGroups, 3u);
  EXPECT_STREQ(app.Manufacturer, "MANUFACTURER");
  EXPECT_STREQ(app.ProductFamily, "PRODUCT FAMILY");
  EXPECT_STREQ(app.ProductName, "PRODUCT NAME");
  EXPECT_FALSE(twain.ManagerOpen());
}

TEST_F(TwainSession, MissingManagerLibraryIsReportedAndTriedAgain) {
  SetManagerLibraryName(QStringLiteral("liblevelora_no_such_manager.so"));
  for (int attempt = 0; attempt < 2; ++attempt)
    EXPECT_EQ(ErrorOf([] { TTwain twain; }), QStringLiteral("TWAIN_32.DLLが見つかりません"));
  SetManagerLibraryName(QStringLiteral("liblevelora_twaindsm.so"));
  EXPECT_EQ(ErrorOf([] { TTwain twain; }), QString());
}

TEST_F(TwainSession, SelectionListsTheSaneDevicesAndMakesTheChoiceCurrent) {
  TTwain twain;
  QStringList listed;
  WhenShown(QStringLiteral("SourceSelectDialog"), [&](QWidget* Dialog) {
    auto* list = Dialog->findChild<QListWidget*>(QStringLiteral("lstSources"));
    for (int i = 0; i < list->count(); ++i) listed << list->item(i)->text();
    list->setCurrentRow(1);
    QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnSelect")), Qt::LeftButton);
  });
  EXPECT_TRUE(twain.SelectDevice(nullptr));
  ASSERT_EQ(listed.size(), 2);
  EXPECT_TRUE(listed[0].startsWith(QStringLiteral("test:0")));
  EXPECT_STREQ(twain.Source().ProductName, "test:1");
  EXPECT_TRUE(twain.ManagerOpen());
  EXPECT_FALSE(twain.SourceOpen());
}

TEST_F(TwainSession, CancelledSelectionReturnsFalseAndKeepsTheManagerOpen) {
  TTwain twain;
  WhenShown(QStringLiteral("SourceSelectDialog"), [](QWidget* Dialog) {
    QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
  });
  EXPECT_FALSE(twain.SelectDevice(nullptr));
  EXPECT_TRUE(twain.ManagerOpen());
  EXPECT_EQ(twain.Source().ProductName[0], '\0');
}

// The condition is asked of the same destination, which does not exist either: it stays unknown.
TEST_F(TwainSession, SourceCallsWithoutAnOpenSourceGiveAnUnknownCondition) {
  TTwain twain;
  EXPECT_EQ(ErrorOf([&] { twain.GetFloatValue(ICAP_XRESOLUTION); }), QStringLiteral("TWAIN: "));
}

TEST(TwainWithoutDevices, OpeningASourceReportsNoDataSource) {
  QTemporaryDir empty;
  QFile(empty.filePath(QStringLiteral("dll.conf"))).open(QIODevice::WriteOnly);
  qputenv("SANE_CONFIG_DIR", empty.path().toLocal8Bit());
  TTwain twain;
  QImage bitmap;
  EXPECT_EQ(ErrorOf([&] { twain.TransferImage(bitmap, false, nullptr); }),
            QStringLiteral("TWAIN: No Data Source"));
  EXPECT_TRUE(twain.ManagerOpen());
  EXPECT_FALSE(twain.SourceOpen());
  qunsetenv("SANE_CONFIG_DIR");
}
