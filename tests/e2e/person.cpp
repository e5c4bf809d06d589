#include "person.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <thread>

namespace floemark::e2e {

void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

int MsSince(Clock::time_point t) {
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

Person::Person(XDisplay* display, XWindow console) : display_(display), console_(console) {}

void Person::Down(unsigned long keysym) {
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), True, CurrentTime);
  XFlush(display_);
}

void Person::Up(unsigned long keysym) {
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, keysym), False, CurrentTime);
  XFlush(display_);
}

void Person::Press(unsigned long keysym, int hold_ms) {
  Down(keysym);
  SleepMs(hold_ms);
  Up(keysym);
}

void Person::Click(int x, int y) {
  int root_x = 0, root_y = 0;
  Window child;
  XTranslateCoordinates(display_, console_, DefaultRootWindow(display_), x, y, &root_x, &root_y,
                        &child);
  XTestFakeMotionEvent(display_, -1, root_x, root_y, CurrentTime);
  XFlush(display_);
  SleepMs(60);
  XTestFakeButtonEvent(display_, 1, True, CurrentTime);
  XFlush(display_);
  SleepMs(90);
  XTestFakeButtonEvent(display_, 1, False, CurrentTime);
  XFlush(display_);
}

}  // namespace floemark::e2e
