#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "ErrorGuard.h"
#include "PictureDialogs.h"
#include "SpecialFolders.h"
#include "untEdit.h"
#include "untMain.h"

inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << Text.toStdString(); }

// Drives the real main window: starts it, answers its modal dialogs and collects its error boxes.
class MainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Every test starts from the design state, whatever an earlier window stored at its exit.
    QFile::remove(SpecialFolders::DocumentsFolder() + QStringLiteral("/Levelora/Levelora.ini"));
    SetErrorBoxHandler([this](const QString& text) { Errors << text; });
    connect();
  }
  void TearDown() override {
    SetErrorBoxHandler(nullptr);
    Main.reset();
    EXPECT_TRUE(Answers.empty()) << "a dialog that was to be answered never opened";
  }

  TfrmMain& Start(const QStringList& Params = {}) {
    Main = std::make_unique<TfrmMain>(Params);
    Main->show();
    Main->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Main.get()));
    Idle();
    return *Main;
  }

  // Lets the program fall idle: queued calls run, windows closed meanwhile go away.
  static void Idle() {
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  // Answer runs on the next modal dialog that opens, from inside that dialog's own loop.
  void WhenModal(std::function<void(QWidget*)> Answer) { Answers.push_back(std::move(Answer)); }

  // The save dialog: type Name, choose filter number Filter (from 1), confirm.
  void SaveAs(const QString& Name, int Filter) {
    WhenModal([=, this](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      dialog->selectNameFilter(dialog->nameFilters().at(Filter - 1));
      Choose(dialog, Dir.path(), Name);
    });
  }
  // Types Name into the file dialog's name box in Folder and confirms. (selectFile leaves the box
  // alone while it has the focus, so the box is filled directly.)
  static void Choose(QFileDialog* Dialog, const QString& Folder, const QString& Name) {
    Dialog->setDirectory(Folder);
    auto* edit = Dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(Name);
    static_cast<QDialog*>(Dialog)->accept();
  }
  void CancelDialog() {
    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  }
  // A message box: click the button with that caption, and remember the box's text.
  void Answer(const QString& Caption) {
    WhenModal([=, this](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      Questions << box->text();
      for (QAbstractButton* b : box->buttons())
        if (b->text() == Caption) return b->click();
      FAIL() << "no button " << Caption.toStdString();
    });
  }

  TfrmEdit* Active() const { return Main->ActiveEditor(); }
  QAction* Act(TCommand C) const { return Main->Action(C); }
  int EditorCount() const { return static_cast<int>(Main->MdiArea()->subWindowList().size()); }
  void Trigger(TCommand C) {
    Act(C)->trigger();
    Idle();
  }
  QString File(const QString& Name) const { return Dir.filePath(Name); }
  QString WriteImage(const QString& Name, QSize Size = QSize(60, 40),
                     const char* Format = "PNG") const {
    QImage image(Size, QImage::Format_RGB32);
    for (int y = 0; y < Size.height(); ++y)
      for (int x = 0; x < Size.width(); ++x) image.setPixel(x, y, qRgb(x * 4, y * 6, 100));
    EXPECT_TRUE(image.save(File(Name), Format));
    return File(Name);
  }

  std::unique_ptr<TfrmMain> Main;
  std::deque<std::function<void(QWidget*)>> Answers;
  QTemporaryDir Dir;
  QStringList Errors;
  QStringList Questions;

 private:
  void connect() {
    Poll.setInterval(5);
    QObject::connect(&Poll, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) {
        Unanswered.invalidate();
        return;
      }
      if (modal == Handled || Answers.empty()) {
        // A dialog nobody expected would wait for ever: close it and fail instead.
        if (!Unanswered.isValid()) Unanswered.start();
        if (Unanswered.elapsed() > 3000) {
          ADD_FAILURE() << "dialog left open: " << modal->metaObject()->className() << " "
                        << modal->windowTitle().toStdString();
          if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
          Unanswered.invalidate();
        }
        return;
      }
      Handled = modal;
      // The program keeps some dialogs for the whole run: each showing is answered anew.
      if (auto* dialog = qobject_cast<QDialog*>(modal))
        QObject::connect(dialog, &QDialog::finished, dialog, [this] { Handled = nullptr; },
                         Qt::SingleShotConnection);
      auto answer = std::move(Answers.front());
      Answers.pop_front();
      answer(modal);
    });
    Poll.start();
  }
  QTimer Poll;
  QPointer<QWidget> Handled;
  QElapsedTimer Unanswered;
};
