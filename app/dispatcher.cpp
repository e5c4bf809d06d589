#include "app/dispatcher.h"

#include <QMessageBox>

#include "app/title.h"
#include "game/error.h"

namespace floemark::app {

void ShowErrorBox(const QString& text) {
  // No parent: the console may still lie off the screen, and the box must be seen.
  QMessageBox box(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok);
  box.exec();
}

void Dispatcher::Report(const char* what) {
  if (report_) report_(QString::fromStdString(ReportText(what)));
}

}  // namespace floemark::app
