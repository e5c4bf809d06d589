#pragma once
// A person at the console: keys and clicks sent through XTest, so that each key goes down and
// up by itself (right-hand keys included) exactly when the test says.

#include <chrono>

struct _XDisplay;

namespace floemark::e2e {

using XDisplay = ::_XDisplay;
using XWindow = unsigned long;

using Clock = std::chrono::steady_clock;
void SleepMs(int ms);
int MsSince(Clock::time_point t);

class Person {
 public:
  Person(XDisplay* display, XWindow console);
  void Down(unsigned long keysym);
  void Up(unsigned long keysym);
  // A press held for hold_ms.
  void Press(unsigned long keysym, int hold_ms);
  // A left click at a point of the console's client area.
  void Click(int x, int y);

 private:
  XDisplay* display_;
  XWindow console_;
};

}  // namespace floemark::e2e
