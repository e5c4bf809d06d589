#include "app/desktop/program_icon.h"

#include <QDir>
#include <QString>

// The resources sit in a static library, whose registration nothing else would pull in.
static void RegisterAssets() { Q_INIT_RESOURCE(assets); }

namespace floemark::app {

QIcon ProgramIcon() {
  RegisterAssets();
  QIcon icon;
  const QString dir = QStringLiteral(":/assets/");
  for (const QString& file : QDir(dir).entryList({QStringLiteral("icon*.png")}, QDir::Files))
    icon.addFile(dir + file);
  return icon;
}

}  // namespace floemark::app
