#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "ExtIniFile.h"

// Each test gets a store of its own on a file in a fresh temporary folder, with UTF-8 as the
// code page and "." as the decimal separator unless the test says otherwise.
class StoreFixture : public testing::Test {
 public:
  static QByteArray ReadFile(const QString& FilePath) {
    QFile File(FilePath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
  }

 protected:
  StoreFixture() = default;
  // Files in a folder below Base, for tests that want a faster file system than the default.
  explicit StoreFixture(const QString& Base) : FDir(Base + QStringLiteral("/settings-XXXXXX")) {}

  QString PathOf(const QString& Name) const { return FDir.filePath(Name); }
  QString Path() const { return PathOf(QStringLiteral("test.ini")); }

  static void WriteFile(const QString& FilePath, const QByteArray& Bytes) {
    QFile File(FilePath);
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write(Bytes);
  }
  QByteArray FileBytes() const { return ReadFile(Path()); }

  // The store on Path(); Bytes, when given, are the file's content beforehand.
  std::unique_ptr<TExtIniFile> Open(const std::optional<QByteArray>& Bytes = std::nullopt,
                                    TIniEncoding Encoding = TIniEncoding::ieDefault) const {
    if (Bytes) WriteFile(Path(), *Bytes);
    auto Store = std::make_unique<TExtIniFile>();
    Store->SetAnsiCodePage("UTF-8");
    Store->SetDecimalSeparator(u'.');
    Store->SetEncoding(Encoding);
    Store->SetDefaultFolder(TDefaultFolder::dfUser);
    Store->SetFileName(Path());
    return Store;
  }

  QTemporaryDir FDir;
};
