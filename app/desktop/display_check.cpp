#include "app/desktop/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// Last: Xlib's macros clash with Qt's names.
#include <X11/Xlib.h>

namespace floemark::app {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

QtMessageHandler previous = nullptr;
std::vector<HeldMessage> held;

bool XServerAnswers() {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return false;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

bool CompositorAnswers() {
  // Where libwayland-client looks: an absolute WAYLAND_DISPLAY, else a name under
  // XDG_RUNTIME_DIR.
  QByteArray path = qgetenv("WAYLAND_DISPLAY");
  if (path.isEmpty()) path = "wayland-0";
  if (!path.startsWith('/')) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) return false;
    path = runtime + '/' + path;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (std::size_t(path.size()) >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answers = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(fd);
  return answers;
}

// Whether an X server or a Wayland compositor answers where the environment points.
bool DisplayReachable() { return XServerAnswers() || CompositorAnswers(); }

QString Described(const char* name) {
  const QByteArray value = qgetenv(name);
  return value.isEmpty()
             ? QStringLiteral("%1 not set").arg(QLatin1String(name))
             : QStringLiteral("%1=%2").arg(QLatin1String(name), QString::fromLocal8Bit(value));
}

[[noreturn]] void GiveUp(const QString& reason) {
  std::fprintf(stderr, "floemark: cannot open a window: %s\n", qPrintable(reason));
  std::_Exit(1);
}

QString NoDisplay() {
  return QStringLiteral("no display reachable (%1, %2)")
      .arg(Described("DISPLAY"), Described("WAYLAND_DISPLAY"));
}

// Qt's X11 and Wayland platforms need a display; the others (offscreen, vnc, eglfs...) don't.
bool PlatformNeedsDisplay() {
  const QString platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
  for (const QString& p : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts))
    if (!p.startsWith(QLatin1String("xcb")) && !p.startsWith(QLatin1String("wayland")))
      return false;
  return true;
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    held.push_back({type, QByteArray(context.category), text});
    return;
  }
  if (PlatformNeedsDisplay() && !DisplayReachable()) GiveUp(NoDisplay());
  // Qt failed for a reason of its own: its first word on the matter.
  GiveUp(held.empty() ? text.section(QLatin1Char('\n'), 0, 0) : held.front().text);
}

}  // namespace

DisplayCheck::DisplayCheck() {
  // Asked first, before the window-system libraries have their own say on standard error.
  if (PlatformNeedsDisplay() && !DisplayReachable()) GiveUp(NoDisplay());
  previous = qInstallMessageHandler(Hold);
}

DisplayCheck::~DisplayCheck() {
  qInstallMessageHandler(previous);
  for (const HeldMessage& m : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
  held.clear();
}

}  // namespace floemark::app
