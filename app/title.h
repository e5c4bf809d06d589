#pragma once
// The program's title: its taskbar entry, the console window's caption and the caption of
// every error box.

#include <QString>

namespace floemark::app {

inline const QString kAppTitle = QStringLiteral("Floemark Simulator");

}  // namespace floemark::app
