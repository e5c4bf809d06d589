#include "app/desktop/program_icon.h"

#include <QDir>
#include <QRegularExpression>
#include <QString>

// The resources sit in a static library, whose registration nothing else would pull in.
static void RegisterAssets() { Q_INIT_RESOURCE(assets); }

namespace floemark::app {

QIcon ProgramIcon() {
  RegisterAssets();
  QIcon icon;
  const QString dir = QStringLiteral(":/assets/");
  static const QRegularExpression sized(QStringLiteral("^icon(\\d+)\\.png$"));
  for (const QString& file : QDir(dir).entryList({QStringLiteral("icon*.png")}, QDir::Files)) {
    const QRegularExpressionMatch match = sized.match(file);
    if (match.hasMatch() && match.captured(1).toInt() <= kLargestWindowIcon)
      icon.addFile(dir + file);
  }
  return icon;
}

}  // namespace floemark::app
