#include "app/windows/console_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <cmath>

#include "app/desktop/desktop.h"
#include "app/input/key_map.h"
#include "app/windows/geometry.h"
#include "app/windows/title.h"

namespace floemark::app {

using namespace panel;

bool FirstActivation = true;

namespace {

Qt::CursorShape Shape(Cursor c) {
  switch (c) {
    case Cursor::Help:
      return Qt::WhatsThisCursor;
    case Cursor::Hand:
      return Qt::PointingHandCursor;
    case Cursor::Arrow:
      break;
  }
  return Qt::ArrowCursor;
}

}  // namespace

ConsoleWindow::ConsoleWindow(LiveSession& session, const drawing::PanelPictures& pictures)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      session_(session),
      renderer_(pictures),
      body_(pictures.Body()) {
  setWindowTitle(kAppTitle);
  setFixedSize(kConsoleWidth, kConsoleHeight);
  setAutoFillBackground(false);
  // The photograph's rounded corners show the desktop behind them. A compositing desktop draws
  // the window's alpha, so there they are painted transparent (a shape would show whatever
  // the server keeps outside it: Xwayland shows grey); elsewhere X11 cuts them out of the
  // window. On Wayland the mask only lets the clicks there through to the desktop.
  const bool alpha = !body_.isEmpty() && Compositing();
  if (alpha) setAttribute(Qt::WA_TranslucentBackground);
  if (!body_.isEmpty() && (!alpha || OnWayland())) setMask(body_);
  if (!alpha) setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  move(-800, -450);
  session_.SetOnHandled([this] { RepaintDamage(); });
}

ConsoleWindow::~ConsoleWindow() { session_.SetOnHandled({}); }

void ConsoleWindow::SetPopupMenu(QMenu* menu) {
  menu_ = menu;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    action->setShortcutContext(Qt::WidgetShortcut);
    addAction(action);
  }
}

void ConsoleWindow::ShowOffScreen() {
  move(-800, -450);
  show();
  Activate();
}

void ConsoleWindow::ShowAtPlay() {
  QTimer::singleShot(0, this, [this] { session_.RunShell([&] { FormActivate(); }); });
}

void ConsoleWindow::Activate() {
  activateWindow();
  setFocus(Qt::ActiveWindowFocusReason);
}

void ConsoleWindow::FormActivate() {
  if (!FirstActivation) return;
  FirstActivation = false;
  if (onFirst_) onFirst_();
}

void ConsoleWindow::RepaintDamage() {
  const auto damage = Form().Components.TakeDamage();
  if (damage.none()) return;
  // At a fractional pixel ratio Qt rounds a rectangle to device pixels its own way, and may
  // leave out an edge row whose pixel centres lie inside it: a pixel more all round repaints
  // every device pixel the component covers.
  const qreal ratio = devicePixelRatio();
  const int margin = ratio == std::round(ratio) ? 0 : 1;
  for (int i = 0; i < kComponentCount; ++i) {
    if (damage.test(i))
      update(drawing::ToQRect(Info(static_cast<Component>(i)).rect)
                 .adjusted(-margin, -margin, margin, margin));
  }
}

void ConsoleWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // Outside the body the translucent surface stays as cleared, wholly transparent.
  if (testAttribute(Qt::WA_TranslucentBackground)) painter.setClipRegion(body_);
  renderer_.Paint(painter, Form().Components, event->rect());
}

// ---- Mouse ----

void ConsoleWindow::Im_BaseMouseDown(int x, int y) { dragOrigin_ = QPoint(x, y); }

void ConsoleWindow::Im_BaseMouseMove(Qt::MouseButtons buttons, int x, int y) {
  if (!(buttons & Qt::LeftButton)) return;
  const Point next = DragStep({pos().x(), pos().y()}, {dragOrigin_.x(), dragOrigin_.y()}, {x, y});
  // The handheld sets the top edge and then the left edge: two moves.
  move(pos().x(), next.y);
  move(next.x, next.y);
}

void ConsoleWindow::Press(QMouseEvent* event, bool doubleClick) {
  const QPoint p = event->position().toPoint();
  // The first button pressed decides which component holds the mouse until all are released;
  // a further button's press goes to that component too, wherever the mouse is. A corner
  // outside the body is the desktop's, even where the window still covers it.
  if (event->buttons() == event->button())
    pressed_ = body_.isEmpty() || body_.contains(p) ? Form().Components.HitTest(p.x(), p.y())
                                                    : std::nullopt;
  const auto hit = pressed_;
  if (!hit) return;
  const ComponentInfo& info = Info(*hit);
  if (info.mouse == Mouse::Drag) {
    session_.RunShell([&] { Im_BaseMouseDown(p.x() - info.rect.left, p.y() - info.rect.top); });
    if (OnWayland() && event->button() == Qt::LeftButton && windowHandle())
      windowHandle()->startSystemMove();
  } else if (info.mouse == Mouse::Click && event->button() == Qt::LeftButton) {
    // The second press of a double click is a double click, not a click: a quick double click
    // on a console button switches it once.
    clickOn_ = doubleClick ? std::nullopt : hit;
  }
}

void ConsoleWindow::mousePressEvent(QMouseEvent* event) { Press(event, false); }
void ConsoleWindow::mouseDoubleClickEvent(QMouseEvent* event) { Press(event, true); }

void ConsoleWindow::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() == Qt::NoButton) {
    UpdateCursor(event->position().toPoint());
    return;
  }
  // The pressed component keeps the mouse, also outside its own rectangle.
  if (!pressed_ || Info(*pressed_).mouse != Mouse::Drag || OnWayland()) return;
  const Rect& r = Info(*pressed_).rect;
  // Surface coordinates from the screen position and where the window is now, so that a move
  // that arrives before the window system has caught up with the last one still lands exactly.
  const QPoint global = event->globalPosition().toPoint();
  const int x = global.x() - pos().x() - r.left;
  const int y = global.y() - pos().y() - r.top;
  session_.RunShell([&] { Im_BaseMouseMove(event->buttons(), x, y); });
}

void ConsoleWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton && clickOn_) {
    const Component button = *clickOn_;
    clickOn_.reset();
    if (Info(button).rect.Contains(p.x(), p.y())) {
      console::Command click{console::Command::Click, 0};
      click.button = button == Puls_Power    ? console::Button::Power
                     : button == Puls_Select ? console::Button::Select
                                             : console::Button::Sound;
      session_.Input(click);
    }
  }
  if (event->buttons() == Qt::NoButton) {
    pressed_.reset();
    UpdateCursor(p);
  }
}

void ConsoleWindow::UpdateCursor(QPoint pos) {
  const auto hit = Form().Components.HitTest(pos.x(), pos.y());
  const Cursor wanted = hit ? Info(*hit).cursor : Cursor::Arrow;
  if (wanted == cursor_) return;
  cursor_ = wanted;
  setCursor(Shape(wanted));
}

void ConsoleWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (menu_) menu_->popup(event->globalPos());
}

bool ConsoleWindow::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const auto hit = Form().Components.HitTest(help->pos().x(), help->pos().y());
    // The hint is read when it is shown, so the console buttons' hints follow their state.
    const std::string hint = hit ? Form().Components.Hint(*hit) : std::string();
    if (hint.empty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), QString::fromStdString(hint), this,
                         drawing::ToQRect(Info(*hit).rect));
    }
    return true;
  }
  return QWidget::event(event);
}

// ---- Keys ----

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
  // A held key repeats as repeated key-downs, as the handheld expects; its latch ignores them.
  const auto vk = VirtualKey(event->key(), event->nativeScanCode());
  if (vk) VirtualKeyDown(*vk);
}

void ConsoleWindow::keyReleaseEvent(QKeyEvent* event) {
  // X11 sends auto-repeat as release+press pairs; only the real release counts.
  if (event->isAutoRepeat()) return;
  const auto vk = VirtualKey(event->key(), event->nativeScanCode());
  if (vk) VirtualKeyUp(*vk);
}

void ConsoleWindow::VirtualKeyDown(std::uint16_t key) {
  console::Command down{console::Command::KeyDown, 0};
  down.key = key;
  session_.Input(down);
}

void ConsoleWindow::VirtualKeyUp(std::uint16_t key) {
  console::Command up{console::Command::KeyUp, 0};
  up.key = key;
  session_.Input(up);
}

// ---- Window ----

void ConsoleWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow())
    session_.RunShell([&] { FormActivate(); });
  QWidget::changeEvent(event);
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
  // The main window: closing it ends the program, with nothing to confirm or save.
  event->accept();
  QCoreApplication::quit();
}

}  // namespace floemark::app
