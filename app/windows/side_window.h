#pragma once
// The splash and about windows share their make: a fixed pixel size on black, the "MS Sans
// Serif" 11 px default font, and closing either never ends the program (only the console does).

#include <QSize>
#include <QString>
#include <QWidget>

namespace floemark::app {

void SetUpSideWindow(QWidget* window, const char* name, const QString& caption, QSize clientSize);

}  // namespace floemark::app
