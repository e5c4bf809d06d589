#include "app/desktop/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace floemark::app {

void ShellOpenDocument(const QString& relativePath) {
  QString path = relativePath;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  (void)QDesktopServices::openUrl(
      QUrl::fromLocalFile(QDir::cleanPath(QDir::current().absoluteFilePath(path))));
}

void ShellOpenLink(const QString& link) { (void)QDesktopServices::openUrl(QUrl(link)); }

}  // namespace floemark::app
