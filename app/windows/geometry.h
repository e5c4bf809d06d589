#pragma once
// The shell's window arithmetic, kept apart from Qt so that it can be checked on its own.
// All numbers are screen or client pixels.

namespace floemark::app {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// Where PLAY puts a window of the given outer size: the screen's middle by a division that
// truncates toward zero, so a screen smaller than the window gives -50 for -101 / 2, not -51
// (which is what a floor or QRect::center() would give).
Point CentredPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
// The same on a screen whose top-left corner lies at `origin` in desktop pixels (a primary
// monitor that is not the leftmost one): the arithmetic of a screen at 0, 0, moved with it.
Point CentredPosition(Point origin, int screenWidth, int screenHeight, int windowWidth,
                      int windowHeight);

// One mouse move of a drag: the window's new top-left, given where it is, the press point in the
// pressed surface's coordinates and the mouse in that surface's coordinates now. The handheld
// moves the top first and then the left; both use the same mouse point.
Point DragStep(Point window, Point origin, Point mouse);

}  // namespace floemark::app
