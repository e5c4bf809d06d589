#include "app/windows/side_window.h"

#include <QPalette>

#include "app/desktop/fonts.h"

namespace floemark::app {

void SetUpSideWindow(QWidget* window, const char* name, const QString& caption, QSize clientSize) {
  window->setObjectName(QString::fromLatin1(name));
  window->setWindowTitle(caption);
  window->setFixedSize(clientSize);
  window->setAttribute(Qt::WA_QuitOnClose, false);
  QPalette pal = window->palette();
  pal.setColor(QPalette::Window, Qt::black);
  window->setPalette(pal);
  window->setAutoFillBackground(true);
  window->setFont(WindowFont());
}

}  // namespace floemark::app
