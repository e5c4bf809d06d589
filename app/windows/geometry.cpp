#include "app/windows/geometry.h"

namespace floemark::app {

Point CentredPosition(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
  // C++ integer division truncates toward zero, exactly like truncating the real quotient.
  return {(screenWidth - windowWidth) / 2, (screenHeight - windowHeight) / 2};
}

Point CentredPosition(Point origin, int screenWidth, int screenHeight, int windowWidth,
                      int windowHeight) {
  const Point p = CentredPosition(screenWidth, screenHeight, windowWidth, windowHeight);
  return {origin.x + p.x, origin.y + p.y};
}

Point DragStep(Point window, Point origin, Point mouse) {
  Point next = window;
  next.y = window.y + mouse.y - origin.y;
  next.x = window.x + mouse.x - origin.x;
  return next;
}

}  // namespace floemark::app
