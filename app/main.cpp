#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ErrorGuard.h"
#include "ProgramAbout.h"
#include "TwainUtils.h"
#include "TGPBitmap.h"
#include "untMain.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Levelora"));
  QApplication::setApplicationVersion(QStringLiteral(LEVELORA_VERSION));
  QApplication::setWindowIcon(ProgramIcon());

  // Qt's own dialogs and buttons speak the program's language.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  int result = 0;
  RunGuarded([&] {
    {
      TfrmMain window(QApplication::arguments().mid(1));
      window.show();
      result = QApplication::exec();
    }
    // The scanner session closes after every window that might have used it.
    ReleaseSharedTwain();
  });
  return result;
}
