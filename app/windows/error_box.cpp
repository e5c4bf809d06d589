#include "app/windows/error_box.h"

#include <QAbstractButton>
#include <QIcon>

#include "app/windows/title.h"

namespace floemark::app {

std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text) {
  // No parent: the console may still lie off the screen, and the box must be seen.
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, kAppTitle, text, QMessageBox::Ok);
  // The stop icon is the box's; the button is a plain OK, without the tick some styles add.
  for (QAbstractButton* button : box->buttons()) button->setIcon(QIcon());
  return box;
}

void ShowErrorBox(const std::string& text) { MakeErrorBox(QString::fromStdString(text))->exec(); }

}  // namespace floemark::app
