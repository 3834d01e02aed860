#include "CommandImages.h"

#include <QString>

// The images live in a resource of the app library; a static library drops a resource nobody
// references, so it is registered on first use. Q_INIT_RESOURCE must be used at global scope.
static void RegisterCommandImages() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(levelora_command_images);
    return true;
  }();
  (void)registered;
}

namespace {

QIcon ListImage(QLatin1String list, int index, int count) {
  if (index < 0 || index >= count) return QIcon();
  RegisterCommandImages();
  return QIcon(QStringLiteral(":/levelora/%1/%2.svg").arg(list).arg(index));
}

}  // namespace

QIcon ToolImage(int index) { return ListImage(QLatin1String("tools"), index, ToolImageCount); }

QIcon RotateImage(int index) { return ListImage(QLatin1String("rotate"), index, RotateImageCount); }
