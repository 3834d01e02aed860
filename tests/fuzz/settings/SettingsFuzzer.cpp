// libFuzzer target: any bytes as a settings file, in any of the three encodings and with a
// single-byte or multi-byte code page, must load, answer every reader and save; and a file saved
// in a lossless code page must read back to the same bytes.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "ExtIniFile.h"
#include "ReadEveryEntry.h"

namespace {

struct TFuzzState {
  std::unique_ptr<QApplication> Application;
  std::unique_ptr<QTemporaryDir> Dir;
  std::unique_ptr<TExtIniFile> Store;
  std::unique_ptr<QWidget> Form;
  std::unique_ptr<QWidget> Parent;
  QWidget* Control = nullptr;
  QString Path;
};

TFuzzState* State = nullptr;

QByteArray FileBytes(const QString& Path) {
  QFile File(Path);
  return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* Argc, char*** Argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  State = new TFuzzState;
  State->Application = std::make_unique<QApplication>(*Argc, *Argv);
  QCoreApplication::setApplicationName("Levelora");
  State->Dir = std::make_unique<QTemporaryDir>(
      (QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
      "/settings-fuzz-XXXXXX");
  State->Path = State->Dir->filePath("fuzz.ini");
  State->Store = std::make_unique<TExtIniFile>();
  State->Store->SetAutoUpdate(false);
  State->Store->SetDefaultFolder(TDefaultFolder::dfUser);
  State->Store->SetFileName(State->Path);
  State->Store->SetDecimalSeparator(u'.');
  State->Form = std::make_unique<QWidget>();
  State->Form->setObjectName("frmMain");
  State->Parent = std::make_unique<QWidget>();
  State->Control = new QWidget(State->Parent.get());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  // The first byte chooses the encoding and the code page; the rest is the file.
  const auto Encoding = static_cast<TIniEncoding>(Data[0] % 3);
  const bool Utf8 = (Data[0] & 4) == 0;
  {
    QFile File(State->Path);
    if (!File.open(QIODevice::WriteOnly)) abort();
    File.write(reinterpret_cast<const char*>(Data + 1), static_cast<qint64>(Size - 1));
  }
  TExtIniFile& Store = *State->Store;
  Store.SetEncoding(Encoding);
  Store.SetAnsiCodePage(Utf8 ? "UTF-8" : "CP932");
  Store.Reload();
  ExerciseReaders(Store, *State->Form, *State->Control);
  Store.Update();
  const QByteArray Saved = FileBytes(State->Path);
  Store.Reload();
  Store.Update();
  if ((Utf8 || Encoding != TIniEncoding::ieDefault) && FileBytes(State->Path) != Saved) abort();
  if (State->Form->isVisible()) abort();
  return 0;
}
