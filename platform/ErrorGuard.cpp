#include "ErrorGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <new>

#include "Exception.h"

namespace {
std::function<void(const QString&)>& BoxHandler() {
  static std::function<void(const QString&)> handler;
  return handler;
}
}  // namespace

QString ErrorBoxText(const QString& Text) {
  if (!Text.isEmpty() && Text.back() > QChar(u'.')) return Text + u'.';
  return Text;
}

void SetErrorBoxHandler(std::function<void(const QString&)> Handler) {
  BoxHandler() = std::move(Handler);
}

void ShowErrorBox(const QString& Text) {
  const QString text = ErrorBoxText(Text);
  if (BoxHandler()) {
    BoxHandler()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

bool RunGuarded(const std::function<void()>& Work) {
  try {
    Work();
    return true;
  } catch (const Exception& e) {
    ShowErrorBox(e.Message());
  } catch (const std::bad_alloc&) {
    ShowErrorBox(QStringLiteral("メモリが足りません"));
  } catch (const std::exception& e) {
    ShowErrorBox(QString::fromLocal8Bit(e.what()));
  }
  return false;
}
