#pragma once
// Form1, the borderless console window: it hands Qt's key and mouse events to the console
// session as the handheld's inputs, and paints the panel's damage after each handler. It
// decides nothing about the game itself. GUI thread only.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/loop/live_session.h"
#include "drawing/panel_renderer.h"
#include "game/form1.h"

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

 private:
  void RepaintDamage();
  void Press(QMouseEvent* event, bool doubleClick);
  void UpdateCursor(QPoint pos);

  LiveSession& session_;
  drawing::PanelRenderer renderer_;
  QRegion body_;  // what is drawn of the window; empty for all of it
  QMenu* menu_ = nullptr;
  std::function<void()> onFirst_;

  QPoint dragOrigin_;                        // DragOrigin: the press point in the surface
  std::optional<panel::Component> pressed_;  // the component that holds the mouse
  std::optional<panel::Component> clickOn_;  // a console button pressed with the left button
  panel::Cursor cursor_ = panel::Cursor::Arrow;
};

}  // namespace floemark::app
