#pragma once
// The program's icon for its windows and taskbar entry: every size that the asset generator
// draws up to kLargestWindowIcon (the same pictures that the desktop's icon theme gets), so that
// the window system never has to scale one. A window manager shows a window's icon at most that
// large (a task switcher's 64 at twice on a dense screen); the larger sizes are the icon theme's
// alone. Every size given here is kept as pixels for the whole run and sent to the X server for
// every window: 256 and 512 would cost 1.3 MB each time.

#include <QIcon>

namespace floemark::app {

inline constexpr int kLargestWindowIcon = 128;

QIcon ProgramIcon();

}  // namespace floemark::app
