#include "SpecialFolders.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace SpecialFolders {

QString DocumentsFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString RoamingDataFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString SystemFolder() { return QStringLiteral("/etc"); }

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }

}  // namespace SpecialFolders
