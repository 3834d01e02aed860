#pragma once

#include <QApplication>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>

// A SANE configuration folder offering only the "test" backend, with the settings a test asks
// for written into its test.conf; SANE reads it from SANE_CONFIG_DIR when the manager opens.
class TSaneTestBackend {
 public:
  // Setting lines such as "mode Color" replace the copied defaults of the same name.
  explicit TSaneTestBackend(const QStringList& Settings = {});
  ~TSaneTestBackend();

 private:
  QTemporaryDir FFolder;
};

// The visible top-level widget of that object name, or null.
template <typename T>
T* FindTopLevel(const QString& Name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->isVisible() && widget->objectName() == Name) return qobject_cast<T*>(widget);
  return nullptr;
}

// Runs Work once a visible top-level widget of that name appears (the manager's and the
// source's dialogs come up inside the call under test).
void WhenShown(const QString& Name, std::function<void(QWidget*)> Work);
