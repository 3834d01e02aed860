#include <gtest/gtest.h>

#include <QComboBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "ErrorGuard.h"
#include "Exception.h"
#include "SaneTestBackend.h"
#include "TwainUtils.h"

namespace {

QString TransferError(TTwain& Twain, QImage& Bitmap, bool UI = false) {
  try {
    Twain.TransferImage(Bitmap, UI, nullptr);
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}

void ScanWith(const QString& Mode, int Resolution) {
  WhenShown(QStringLiteral("ScanDialog"), [=](QWidget* Dialog) {
    Dialog->findChild<QComboBox*>(QStringLiteral("cbxMode"))->setCurrentText(Mode);
    Dialog->findChild<QSpinBox*>(QStringLiteral("speResolution"))->setValue(Resolution);
    QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnScan")), Qt::LeftButton);
  });
}

void ExpectSourceDisabledAndOpen(const TTwain& Twain) {
  EXPECT_FALSE(Twain.SourceEnabled());
  EXPECT_TRUE(Twain.SourceOpen());
  EXPECT_TRUE(Twain.ManagerOpen());
}

}  // namespace

TEST(TwainTransfer, WithoutDialogScansAtTheSourcesSettings) {
  TSaneTestBackend backend;
  TTwain twain;
  QImage bitmap;
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  // The test device scans 80 x 100 mm, here at its default 50 dpi in gray.
  EXPECT_EQ(bitmap.size(), QSize(157, 196));
  EXPECT_TRUE(bitmap.isGrayscale());
  EXPECT_EQ(bitmap.pixel(10, 10) & 0xFFFFFF, 0u);  // "Solid black"
  EXPECT_STREQ(twain.Source().ProductName, "test:0");
  ExpectSourceDisabledAndOpen(twain);
}

TEST(TwainTransfer, DialogChoicesDecideModeAndResolution) {
  TSaneTestBackend backend({QStringLiteral("test-picture \"Color pattern\"")});
  TTwain twain;
  struct TCase {
    QString Mode;
    int Resolution;
    QSize Size;
    bool Gray;
  };
  for (const TCase& c : {TCase{QStringLiteral("Color"), 100, {314, 393}, false},
                         TCase{QStringLiteral("Gray"), 25, {78, 98}, true}}) {
    QImage bitmap;
    ScanWith(c.Mode, c.Resolution);
    ASSERT_TRUE(twain.TransferImage(bitmap, true, nullptr)) << c.Mode.toStdString();
    EXPECT_EQ(bitmap.size(), c.Size) << c.Mode.toStdString();
    EXPECT_EQ(bitmap.isGrayscale(), c.Gray) << c.Mode.toStdString();
    EXPECT_EQ(bitmap.dotsPerMeterX(), qRound(c.Resolution / 0.0254)) << c.Mode.toStdString();
    ExpectSourceDisabledAndOpen(twain);
  }
}

TEST(TwainTransfer, CancelledDialogReturnsFalseAndLeavesTheBitmap) {
  TSaneTestBackend backend;
  TTwain twain;
  QImage bitmap(3, 3, QImage::Format_RGB32);
  WhenShown(QStringLiteral("ScanDialog"), [](QWidget* Dialog) {
    QTest::mouseClick(Dialog->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
  });
  EXPECT_FALSE(twain.TransferImage(bitmap, true, nullptr));
  EXPECT_EQ(bitmap.size(), QSize(3, 3));
  ExpectSourceDisabledAndOpen(twain);
}

TEST(TwainTransfer, QuitWhileTheDialogIsUpEndsTheWaitAndTheApplication) {
  TSaneTestBackend backend;
  TTwain twain;
  QImage bitmap;
  bool transferred = true;
  WhenShown(QStringLiteral("ScanDialog"), [](QWidget*) { QCoreApplication::quit(); });
  QTimer::singleShot(0, [&] { transferred = twain.TransferImage(bitmap, true, nullptr); });
  QCoreApplication::exec();
  EXPECT_FALSE(transferred);
  EXPECT_TRUE(bitmap.isNull());
  ExpectSourceDisabledAndOpen(twain);
}

TEST(TwainTransfer, DeviceErrorsDuringTheScanGiveClearTexts) {
  struct TCase {
    const char* Status;
    QString Text;
  };
  for (const TCase& c : {TCase{"SANE_STATUS_IO_ERROR", QStringLiteral("転送中にエラー発生")},
                         TCase{"SANE_STATUS_JAMMED", QStringLiteral("転送中にエラー発生")},
                         TCase{"SANE_STATUS_CANCELLED", QStringLiteral("キャンセルされました")}}) {
    TSaneTestBackend backend({QStringLiteral("read-status-code \"%1\"").arg(c.Status)});
    TTwain twain;
    QImage bitmap;
    EXPECT_EQ(TransferError(twain, bitmap), c.Text) << c.Status;
    EXPECT_TRUE(bitmap.isNull()) << c.Status;
    ExpectSourceDisabledAndOpen(twain);
  }
}

namespace {

// A slow device: the 629 x 787 frame at 200 dpi comes in pieces 100 ms apart, under a second in
// all, with the progress window showing after half a second.
const QStringList SlowDevice{QStringLiteral("resolution 200"), QStringLiteral("read-delay true"),
                             QStringLiteral("read-delay-duration 100000")};
const QSize SlowFrame(629, 787);

QProgressDialog* ProgressWindow(QWidget* Widget) { return qobject_cast<QProgressDialog*>(Widget); }

}  // namespace

TEST(TwainTransfer, SlowScanShowsItsProgressAndGoesAwayWhenDone) {
  TSaneTestBackend backend(SlowDevice);
  TTwain twain;
  QImage bitmap;
  int shownAt = -1;
  bool busyWhileShown = true;
  WhenShown(QStringLiteral("ScanProgress"), [&](QWidget* Window) {
    shownAt = ProgressWindow(Window)->value();
    busyWhileShown = QApplication::overrideCursor() != nullptr;
  });
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  EXPECT_EQ(bitmap.size(), SlowFrame);
  EXPECT_GT(shownAt, 0);
  EXPECT_LT(shownAt, 1000);
  EXPECT_FALSE(busyWhileShown) << "the cancel button must not show the busy cursor";
  EXPECT_EQ(FindTopLevel<QWidget>(QStringLiteral("ScanProgress")), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ExpectSourceDisabledAndOpen(twain);
}

TEST(TwainTransfer, CancelInTheProgressWindowStopsTheScan) {
  TSaneTestBackend backend(SlowDevice);
  TTwain twain;
  QImage bitmap;
  WhenShown(QStringLiteral("ScanProgress"), [](QWidget* Window) {
    QTest::mouseClick(Window->findChild<QPushButton*>(), Qt::LeftButton);
  });
  EXPECT_EQ(TransferError(twain, bitmap), QStringLiteral("キャンセルされました"));
  EXPECT_TRUE(bitmap.isNull());
  EXPECT_EQ(FindTopLevel<QWidget>(QStringLiteral("ScanProgress")), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ExpectSourceDisabledAndOpen(twain);
  // The device is ready for the next scan.
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  EXPECT_EQ(bitmap.size(), SlowFrame);
}

TEST(TwainTransfer, UnknownLineCountIsTakenFromTheData) {
  TSaneTestBackend backend({QStringLiteral("hand-scanner true")});
  TTwain twain;
  QImage bitmap;
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  EXPECT_GT(bitmap.width(), 0);
  EXPECT_GT(bitmap.height(), 0);
}

TEST(TwainCapabilities, ResolutionRoundTripsAndDecidesTheNextScan) {
  TSaneTestBackend backend;
  TTwain twain;
  QImage bitmap;
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  EXPECT_DOUBLE_EQ(twain.GetFloatValue(ICAP_XRESOLUTION), 50);
  twain.SetFloatValue(ICAP_XRESOLUTION, 100);
  EXPECT_DOUBLE_EQ(twain.GetFloatValue(ICAP_YRESOLUTION), 100);
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  EXPECT_EQ(bitmap.size(), QSize(314, 393));
}

TEST(TwainCapabilities, RefusedValuesAndCapabilitiesReportTheCondition) {
  TSaneTestBackend backend;
  TTwain twain;
  QImage bitmap;
  ASSERT_TRUE(twain.TransferImage(bitmap, false, nullptr));
  auto errorOf = [&](const std::function<void()>& Work) {
    try {
      Work();
    } catch (const Exception& e) {
      return e.Message();
    }
    return QString();
  };
  EXPECT_EQ(errorOf([&] { twain.SetFloatValue(ICAP_XRESOLUTION, 5000); }),
            QStringLiteral("TWAIN: Data parameter out of range"));
  EXPECT_EQ(errorOf([&] { twain.GetFloatValue(ICAP_PIXELTYPE); }),
            QStringLiteral("TWAIN: Capability not supported by source"));
  EXPECT_DOUBLE_EQ(twain.GetFloatValue(ICAP_XRESOLUTION), 50);
}
