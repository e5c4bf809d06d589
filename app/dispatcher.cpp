#include "app/dispatcher.h"

#include <QMessageBox>

#include "app/title.h"
#include "base/error.h"

namespace floemark::app {

std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text) {
  // No parent: the console may still lie off the screen, and the box must be seen.
  return std::make_unique<QMessageBox>(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok);
}

void ShowErrorBox(const QString& text) { MakeErrorBox(text)->exec(); }

void Dispatcher::Report(const char* what) {
  if (report_) report_(QString::fromStdString(ReportText(what)));
}

}  // namespace floemark::app
