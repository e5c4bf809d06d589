#pragma once
// Qt gives up with abort() and a screenful about reinstalling its plugins when it can reach
// no window system. A DisplayCheck first looks for a display itself (for Qt's X11 and Wayland
// platforms), then holds Qt's messages back while it lives; when there is no display, or Qt
// gives up all the same, the program says in one line what is wrong and exits with status 1.
// Lives on the main thread around the construction of the application object, and nowhere
// else.

namespace floemark::app {

class DisplayCheck {
 public:
  DisplayCheck();
  // The window system answered: the held messages go out as Qt would have written them.
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;
};

}  // namespace floemark::app
