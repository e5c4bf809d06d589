#pragma once
// The program's icon for its windows and taskbar entry: every size that the asset generator
// draws (the same pictures that the desktop's icon theme gets), so that the window system
// never has to scale one.

#include <QIcon>

namespace floemark::app {

QIcon ProgramIcon();

}  // namespace floemark::app
