#include "app/input/key_repeat.h"

// clang-format off
#include <QGuiApplication>
#include <X11/XKBlib.h>  // after Qt: its macros clash with Qt's names
// clang-format on

namespace floemark::app {

void UseDetectableAutoRepeat() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return;
  Bool supported = False;
  XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}

}  // namespace floemark::app
