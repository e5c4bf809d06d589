#include "app/desktop/desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QThread>
#include <QWidget>
#include <chrono>
#include <vector>

#include "app/windows/geometry.h"

// After Qt: the X headers' macros (Bool, Status, None) clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace floemark::app {
namespace {

Display* X11Display() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->display() : nullptr;
}

Atom Intern(Display* d, const char* name) { return XInternAtom(d, name, False); }

// Up to `count` 32-bit items of a property; empty when the window has no such property.
std::vector<unsigned long> Property(Display* d, Window w, Atom property, Atom type, long count) {
  Atom actualType = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> values;
  if (XGetWindowProperty(d, w, property, 0, count, False, type, &actualType, &format, &items,
                         &after, &data) == Success &&
      actualType == type && format == 32) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    values.assign(longs, longs + items);
  }
  if (data) XFree(data);
  return values;
}

// EWMH's check: the root names a window that names itself, so that a manager that died and
// left the root's property behind does not count.
bool EwmhManagerRunning(Display* d) {
  const Atom check = Intern(d, "_NET_SUPPORTING_WM_CHECK");
  const auto root = Property(d, DefaultRootWindow(d), check, XA_WINDOW, 1);
  if (root.empty()) return false;
  // A stale id may name no window at all: that error is Qt's to swallow, and the read is empty.
  const auto self = Property(d, root[0], check, XA_WINDOW, 1);
  return !self.empty() && self[0] == root[0];
}

bool ManagerSupports(Display* d, const char* atom) {
  const auto supported =
      Property(d, DefaultRootWindow(d), Intern(d, "_NET_SUPPORTED"), XA_ATOM, 4096);
  const Atom wanted = Intern(d, atom);
  for (unsigned long a : supported)
    if (a == wanted) return true;
  return false;
}

}  // namespace

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool WindowsManaged() {
  if (OnWayland()) return true;
  Display* d = X11Display();
  if (!d) return false;
  const QByteArray selection = "WM_S" + QByteArray::number(DefaultScreen(d));
  return XGetSelectionOwner(d, Intern(d, selection.constData())) != None || EwmhManagerRunning(d);
}

bool Compositing() {
  if (OnWayland()) return true;
  Display* d = X11Display();
  if (!d) return false;
  const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(d));
  return XGetSelectionOwner(d, Intern(d, selection.constData())) != None;
}

QRect PrimaryScreenGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QPoint CentredOnPrimary(QSize outer) {
  const QRect screen = PrimaryScreenGeometry();
  const Point p = CentredPosition({screen.x(), screen.y()}, screen.width(), screen.height(),
                                  outer.width(), outer.height());
  return {p.x, p.y};
}

bool StartDesktopMove(QWidget* window, QPoint pressRoot) {
  Display* d = X11Display();
  if (!d || !ManagerSupports(d, "_NET_WM_MOVERESIZE")) return false;
  // The manager takes the pointer, which the press gave the program.
  XUngrabPointer(d, CurrentTime);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = static_cast<Window>(window->winId());
  request.xclient.message_type = Intern(d, "_NET_WM_MOVERESIZE");
  request.xclient.format = 32;
  request.xclient.data.l[0] = pressRoot.x();
  request.xclient.data.l[1] = pressRoot.y();
  request.xclient.data.l[2] = 8;  // _NET_WM_MOVERESIZE_MOVE
  request.xclient.data.l[3] = Button1;
  request.xclient.data.l[4] = 1;  // a normal application
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureNotifyMask | SubstructureRedirectMask,
             &request);
  XFlush(d);
  return true;
}

QMargins FrameExtents(QWidget* window) {
  Display* d = X11Display();
  if (!d || !WindowsManaged() || !ManagerSupports(d, "_NET_FRAME_EXTENTS")) return {};
  const Window w = static_cast<Window>(window->winId());
  const Atom extents = Intern(d, "_NET_FRAME_EXTENTS");
  auto read = [&] { return Property(d, w, extents, XA_CARDINAL, 4); };
  if (read().size() != 4 && ManagerSupports(d, "_NET_REQUEST_FRAME_EXTENTS")) {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = w;
    request.xclient.message_type = Intern(d, "_NET_REQUEST_FRAME_EXTENTS");
    request.xclient.format = 32;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureNotifyMask | SubstructureRedirectMask,
               &request);
    XFlush(d);
  }
  // The manager answers by setting the property on the unmapped window; one that is slow or
  // ignores the request leaves the splash centred by its client area, as with no frame.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  for (;;) {
    const auto e = read();
    // _NET_FRAME_EXTENTS: left, right, top, bottom.
    if (e.size() == 4)
      return QMargins(static_cast<int>(e[0]), static_cast<int>(e[2]), static_cast<int>(e[1]),
                      static_cast<int>(e[3]));
    if (std::chrono::steady_clock::now() > deadline) return {};
    QThread::msleep(5);
  }
}

}  // namespace floemark::app
