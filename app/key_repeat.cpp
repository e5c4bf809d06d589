#include "app/key_repeat.h"

#include <QGuiApplication>

// X11 comes after Qt, whose names its macros (Bool, Status) would clash with; clang-format
// would sort it first.
// clang-format off
#include <X11/XKBlib.h>
// clang-format on

namespace floemark::app {

void UseDetectableAutoRepeat() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return;
  Bool supported = False;
  XkbSetDetectableAutoRepeat(x11->display(), True, &supported);
}

}  // namespace floemark::app
