#include "app/windows/console_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
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
  masked_ = !body_.isEmpty() && (!alpha || OnWayland());
  if (masked_) setMask(body_);
  shown_ = body_;
  if (!alpha) setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  move(-800, -450);
  session_.SetOnHandled([this] { RepaintDamage(); });

  notice_ = new QLabel(this);
  notice_->setObjectName(QStringLiteral("Notice"));
  notice_->setStyleSheet(
      QStringLiteral("QLabel { background: rgba(0, 0, 0, 200); color: white; padding: 3px 8px; }"));
  notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
  notice_->hide();
  noticeTimer_.setSingleShot(true);
  connect(&noticeTimer_, &QTimer::timeout, this, [this] {
    // A pause's notice stays while the pause lasts.
    if (Paused())
      ShowNotice(QStringLiteral("Paused: P to play on"), true);
    else
      HideNotice();
  });
  connect(qApp, &QGuiApplication::applicationStateChanged, this,
          &ConsoleWindow::ApplicationStateChanged);
}

ConsoleWindow::~ConsoleWindow() { session_.SetOnHandled({}); }

void ConsoleWindow::SetPopupMenu(QMenu* menu) {
  menu_ = menu;
  const std::function<void(QMenu*)> take = [&](QMenu* m) {
    for (QAction* action : m->actions()) {
      if (action->isSeparator()) continue;
      if (action->menu()) {
        take(action->menu());
        continue;
      }
      action->setShortcutContext(Qt::WidgetShortcut);
      addAction(action);
    }
  };
  take(menu);
}

void ConsoleWindow::ShowOffScreen() {
  // Wholly off the screen at any size: -800, -450 for the handheld's own.
  move(-width() - 59, -height() - 62);
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
  if (!Direct()) {
    // The console's picture at the window's scale is brought up to date first, then the
    // window shows the changed part of it.
    const bool drawn = !drawn_.isNull();
    QPainter painter;
    if (drawn) painter.begin(&drawn_);
    for (int i = 0; i < kComponentCount; ++i) {
      if (!damage.test(i)) continue;
      const QRect r = drawing::ToQRect(Info(static_cast<Component>(i)).rect).adjusted(-1, -1, 1, 1);
      if (drawn) {
        painter.setClipRect(r);
        renderer_.Paint(painter, Form().Components, r);
      }
      update(ToWindow(r));
    }
    return;
  }
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
  if (!Direct()) {
    const qreal ratio = devicePixelRatioF();
    if (drawn_.isNull() || drawn_.devicePixelRatio() != ratio * scale_)
      drawn_ = renderer_.Render(Form().Components, ratio * scale_);
    // Full screen is black around the console; a translucent window clear.
    if (fullScreen_) painter.fillRect(rect(), Qt::black);
    if (fullScreen_ || testAttribute(Qt::WA_TranslucentBackground)) painter.setClipRegion(shown_);
    // The picture is made for the device's pixels: drawn 1:1 onto them.
    painter.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    const qreal drawnRatio = drawn_.devicePixelRatio();
    drawn_.setDevicePixelRatio(1);
    painter.drawImage(QPoint(qRound(offset_.x() * ratio), qRound(offset_.y() * ratio)), drawn_);
    drawn_.setDevicePixelRatio(drawnRatio);
    return;
  }
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

QPoint ConsoleWindow::ToConsole(QPointF p) const {
  if (Direct()) return p.toPoint();
  return QPoint(int(std::floor((p.x() - offset_.x()) / scale_)),
                int(std::floor((p.y() - offset_.y()) / scale_)));
}

QRect ConsoleWindow::ToWindow(const QRect& r) const {
  if (Direct()) return r;
  return QRectF(offset_.x() + r.x() * scale_, offset_.y() + r.y() * scale_, r.width() * scale_,
                r.height() * scale_)
      .toAlignedRect();
}

void ConsoleWindow::Press(QMouseEvent* event, bool doubleClick) {
  const QPoint p = ToConsole(event->position());
  // The first button pressed decides which component holds the mouse until all are released;
  // a further button's press goes to that component too, wherever the mouse is. A corner
  // outside the body is the desktop's, even where the window still covers it.
  if (event->buttons() == event->button()) {
    // A move the desktop made ends with a release that the program never sees.
    systemMove_ = false;
    pressed_ = body_.isEmpty() || body_.contains(p) ? Form().Components.HitTest(p.x(), p.y())
                                                    : std::nullopt;
  }
  const auto hit = pressed_;
  if (!hit) return;
  const ComponentInfo& info = Info(*hit);
  if (info.mouse == Mouse::Drag) {
    // The drag's points are the window's pixels from the surface's corner, so that the window
    // follows the mouse at any size.
    const QPoint corner = ToWindow(drawing::ToQRect(info.rect)).topLeft();
    const QPoint w = event->position().toPoint() - corner;
    session_.RunShell([&] { Im_BaseMouseDown(w.x(), w.y()); });
    // Where a window manager or a compositor runs, it moves windows: one that ignores a
    // client's own moves (Xwayland's) would leave the console where it is. Only a bare X
    // server has the program move the window itself. On X11 the manager is asked at the
    // mouse's first move, so that a mere click never leaves it waiting for a release that
    // came before it took the pointer.
    if (event->button() == Qt::LeftButton && event->buttons() == Qt::LeftButton && !fullScreen_ &&
        windowHandle()) {
      if (OnWayland()) {
        windowHandle()->startSystemMove();
        systemMove_ = true;
      } else {
        desktopMoves_ = WindowsManaged();
        pressRoot_ = (event->globalPosition() * devicePixelRatioF()).toPoint();
      }
    }
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
  if (!pressed_ || Info(*pressed_).mouse != Mouse::Drag) return;
  if (desktopMoves_ && (event->buttons() & Qt::LeftButton)) {
    // The manager moves the window by the mouse's travel from the press, where it was then.
    desktopMoves_ = false;
    systemMove_ = StartDesktopMove(this, pressRoot_);
  }
  if (OnWayland() || systemMove_ || fullScreen_) return;
  const QPoint corner = ToWindow(drawing::ToQRect(Info(*pressed_).rect)).topLeft();
  // Surface coordinates from the screen position and where the window is now, so that a move
  // that arrives before the window system has caught up with the last one still lands exactly.
  const QPoint global = event->globalPosition().toPoint();
  const int x = global.x() - pos().x() - corner.x();
  const int y = global.y() - pos().y() - corner.y();
  session_.RunShell([&] { Im_BaseMouseMove(event->buttons(), x, y); });
}

void ConsoleWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = ToConsole(event->position());
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
    systemMove_ = false;
    desktopMoves_ = false;
    UpdateCursor(event->position().toPoint());
  }
}

void ConsoleWindow::UpdateCursor(QPoint windowPos) {
  const QPoint pos = ToConsole(windowPos);
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
    const QPoint at = ToConsole(help->pos());
    const auto hit = Form().Components.HitTest(at.x(), at.y());
    // The hint is read when it is shown, so the console buttons' hints follow their state.
    const std::string hint = hit ? Form().Components.Hint(*hit) : std::string();
    if (hint.empty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), QString::fromStdString(hint), this,
                         ToWindow(drawing::ToQRect(Info(*hit).rect)));
    }
    return true;
  }
  return QWidget::event(event);
}

// ---- Keys ----

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
  // A held key repeats as repeated key-downs, as the handheld expects; its latch ignores them.
  const auto vk = VirtualKey(event->key(), event->nativeScanCode());
  const auto played = vk ? keys_.Translate(*vk) : std::nullopt;
  if (played) VirtualKeyDown(*played);
}

void ConsoleWindow::keyReleaseEvent(QKeyEvent* event) {
  // X11 sends auto-repeat as release+press pairs; only the real release counts.
  if (event->isAutoRepeat()) return;
  // The window's own keys (pause, full screen, screenshot, the sizes) were taken by the menu
  // when pressed: their releases are not the game's either.
  const int key = event->key();
  if (key == Qt::Key_P || key == Qt::Key_F11 || key == Qt::Key_F12 ||
      ((event->modifiers() & Qt::ControlModifier) &&
       (key == Qt::Key_0 || key == Qt::Key_Equal || key == Qt::Key_Minus || key == Qt::Key_Plus)))
    return;
  const auto vk = VirtualKey(key, event->nativeScanCode());
  const auto played = vk ? keys_.Translate(*vk) : std::nullopt;
  if (played) VirtualKeyUp(*played);
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
