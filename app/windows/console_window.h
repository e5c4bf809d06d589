#pragma once
// Form1, the borderless console window: it hands Qt's key and mouse events to the console
// session as the handheld's inputs, and paints the panel's damage after each handler. It
// decides nothing about the game itself. GUI thread only.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/input/key_bindings.h"
#include "app/loop/live_session.h"
#include "drawing/panel_renderer.h"
#include "game/form1.h"

class QLabel;
class QMenu;

namespace floemark::app {

// Shell state of the console window's module, alive for the whole run. FirstActivation is set
// by the module's own initialisation, before any window exists.
extern bool FirstActivation;

class ConsoleWindow : public QWidget {
  Q_OBJECT

 public:
  // Creates the window hidden, showing the session's panel. The session and the pictures
  // outlive the window.
  ConsoleWindow(LiveSession& session, const drawing::PanelPictures& pictures);
  ~ConsoleWindow() override;

  LiveSession& Live() { return session_; }
  TForm1& Form() { return session_.Form(); }
  const drawing::PanelRenderer& Renderer() const { return renderer_; }

  // PM_Menu: opened by a right-click; its actions' shortcuts act only while this window has
  // the keyboard focus.
  void SetPopupMenu(QMenu* menu);
  // What FormActivate does on the first activation (shows the splash again).
  void SetFirstActivationAction(std::function<void()> action) { onFirst_ = std::move(action); }

  // The event loop's first step on a bare X server: show the main window at -800, -450, wholly
  // off the screen, and activate it (with no window manager nobody else would).
  void ShowOffScreen();
  // The same step where a window manager or a compositor runs, which would pull an off-screen
  // window into view or place it where it likes: the console stays unmapped until PLAY shows
  // it, and only its first activation runs, at the start of the event loop, so that the splash
  // is shown again and FirstActivation cleared as on the bare server.
  void ShowAtPlay();
  // Takes the keyboard focus, as the desktop gives it back to the main window when another
  // of the program's windows closes.
  void Activate();

  // ---- What a desktop game offers besides the handheld ----
  // The console's size: 1, 2 or 3 times its pixels, or 0 for the largest that fits the
  // screen's free area; each drawn from the pictures made for that density. Clicks, hints and
  // the drag keep to the console's own pixels at every size.
  void SetSize(int size);
  int Size() const { return size_; }
  // How many screen pixels a console pixel takes now (in full screen too).
  qreal Scale() const { return scale_; }
  // Where the console's top-left corner lies in the window (not 0, 0 only in full screen).
  QPoint ConsoleOffset() const { return offset_; }
  // Full screen: the console as large as the screen allows, centred on black.
  void SetFullScreen(bool on);
  bool FullScreen() const { return fullScreen_; }
  // The console as it is on the screen, at its size and the screen's density; clear where the
  // desktop shows through its rounded corners.
  QImage Screenshot();
  // The game's pause (LiveSession::Pause), shown by a notice on the console.
  void SetPaused(bool paused);
  bool Paused() const { return session_.Paused(); }
  // Pauses the game while none of the program's windows is active, and resumes it when one is.
  void SetPauseInBackground(bool on);
  // The keys the person chose; the handheld's own by default.
  void SetKeyBindings(const KeyBindings& keys) { keys_ = keys; }
  // A short line over the top of the console; one that is not kept goes after a few seconds.
  void ShowNotice(const QString& text, bool kept = false);
  void HideNotice();
  QString NoticeText() const;

  // Handlers of the shell (public for the tests): the drag surfaces' press and move, in the
  // surface's own coordinates.
  void Im_BaseMouseDown(int x, int y);
  void Im_BaseMouseMove(Qt::MouseButtons buttons, int x, int y);
  void FormActivate();
  // A key of the handheld pressed or released, by its virtual key code: from the keyboard, or
  // from a game pad acting as one.
  void VirtualKeyDown(std::uint16_t key);
  void VirtualKeyUp(std::uint16_t key);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 signals:
  void PausedChanged(bool paused);

 private:
  // Whether the console is painted straight onto the window, as at 1x, or from a picture
  // drawn at the window's scale.
  bool Direct() const { return scale_ == 1 && offset_.isNull(); }
  void ApplySize();
  void ApplicationStateChanged(Qt::ApplicationState state);
  // A point of the window in the console's pixels, and a console rectangle on the window.
  QPoint ToConsole(QPointF p) const;
  QRect ToWindow(const QRect& r) const;
  void RepaintDamage();
  void Press(QMouseEvent* event, bool doubleClick);
  void UpdateCursor(QPoint pos);

  LiveSession& session_;
  drawing::PanelRenderer renderer_;
  QRegion body_;         // what is drawn of the console; empty for all of it
  QRegion shown_;        // the body on the window, at its size
  bool masked_ = false;  // the window system cuts the corners out
  QMenu* menu_ = nullptr;
  std::function<void()> onFirst_;

  QPoint dragOrigin_;                        // DragOrigin: the press point in the surface
  std::optional<panel::Component> pressed_;  // the component that holds the mouse
  std::optional<panel::Component> clickOn_;  // a console button pressed with the left button
  panel::Cursor cursor_ = panel::Cursor::Arrow;
  bool systemMove_ = false;    // the desktop moves the window for the press that holds the mouse
  bool desktopMoves_ = false;  // the desktop is to be asked to, at the mouse's first move
  QPoint pressRoot_;           // where the press was, in the X root window's pixels

  int size_ = 1;
  bool fullScreen_ = false;
  qreal scale_ = 1;
  QPoint offset_;
  QImage drawn_;  // the console at the window's scale and density, when not Direct()
  QRect normal_;  // the window's place before full screen
  QLabel* notice_ = nullptr;
  QTimer noticeTimer_;
  bool pauseInBackground_ = false;
  bool autoPaused_ = false;
  KeyBindings keys_;
};

}  // namespace floemark::app
