#pragma once
// The program's title: its taskbar entry, the console window's caption and the caption of
// every error box.

#include <QString>

namespace floemark::app {

inline const QString kAppTitle = QStringLiteral("Floemark Simulator");
// The icon name of the program's desktop entry (Icon=), by which the sound server's volume
// mixer shows the game's stream too.
inline constexpr char kDesktopIcon[] = FLOEMARK_APP_ID;

}  // namespace floemark::app
