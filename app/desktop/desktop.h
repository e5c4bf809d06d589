#pragma once
// What the desktop does for the program's windows. The handheld's own desktop placed a window
// wherever the program said and had one screen starting at 0, 0; today's may have a window
// manager or a Wayland compositor that maps, frames and places windows itself, and several
// monitors. GUI thread only; everything here asks the running Qt platform.

#include <QMargins>
#include <QRect>

class QWidget;

namespace floemark::app {

// The program runs as a Wayland client (the compositor places its windows; no client can).
bool OnWayland();

// A window manager or a compositor manages the program's windows: always on Wayland; on X11
// when a window manager holds the screen (ICCCM's WM_Sn selection, or EWMH's supporting-WM
// check). False on a bare X server and off any windowing system (the offscreen tests).
bool WindowsManaged();

// The desktop composites windows, alpha included: always on Wayland; on X11 when a
// compositing manager runs (EWMH's _NET_WM_CM_Sn selection).
bool Compositing();

// The primary monitor in desktop pixels; its top-left corner need not be 0, 0 (a primary
// monitor to the right of another). 1024 x 768 at 0, 0 when Qt knows no screen.
QRect PrimaryScreenGeometry();

// Where PLAY's arithmetic puts a window of this outer size: the middle of the primary monitor.
QPoint CentredOnPrimary(QSize outer);

// Asks the X11 window manager to move this top-level window by the mouse's travel from
// pressRoot (the left button's press, in the root window's pixels), as its own title bar would:
// EWMH's _NET_WM_MOVERESIZE. The program gives up its hold on the pointer for it. False off X11
// or where the manager does not offer it.
bool StartDesktopMove(QWidget* window, QPoint pressRoot);

// The frame that the X11 window manager puts round this top-level window, asked for before the
// window is mapped (EWMH _NET_REQUEST_FRAME_EXTENTS; creates the native window, unmapped) and
// waited for a short while. Zero margins where the manager reports none, off X11 and on a bare
// X server.
QMargins FrameExtents(QWidget* window);

}  // namespace floemark::app
