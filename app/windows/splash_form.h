#pragma once
// SplashForm: greets the player, carries PLAY and the program's links, and owns the popup menu
// PM_Menu and its handlers (the menu opens on the console window). GUI thread only.

#include <QWidget>
#include <functional>

#include "app/input/key_bindings.h"

class QAction;
class QActionGroup;
class QMenu;

namespace floemark::app {

class AboutForm;
class ConsoleWindow;
class SettingsStore;

// The two links of the splash window; a click opens exactly the text shown. (The addresses are
// the build's, which the package and the desktop's software centre show as well.)
inline constexpr const char* kWebLink = FLOEMARK_HOMEPAGE;
inline constexpr const char* kMailLink = "mailto:" FLOEMARK_EMAIL;

class SplashForm : public QWidget {
  Q_OBJECT

 public:
  SplashForm(ConsoleWindow& console, AboutForm& about);

  QMenu* Menu() const { return menu_; }
  // Shown at once, centred on the primary screen; where the window manager tells the frame it
  // will add, the framed window is centred, with the client area of its fixed size.
  void ShowCentred();
  // FormActivate's first time: shows the splash again, in front of every other window.
  void ShowAgain();

  void Puls_PlayClick();
  void La_HttpClick();
  void La_EmailClick();
  void PM_1AboutClick();
  void PM_3ReadmeClick();
  void PM_4WhatsnewClick();
  void PM_8ExitClick();
  // The desktop's commands, after the handheld's four.
  void PM_SizeClick(int size);  // 1, 2, 3 or 0: fit the screen
  void PM_BiggerClick();
  void PM_SmallerClick();
  void PM_FullScreenClick();
  void PM_ScreenshotClick();
  void PM_PauseClick();
  void PM_BackgroundPauseClick();
  void PM_KeysClick();

  // The person's settings: applied to the console now, and kept when the menu changes one.
  // keysChanged hears of every new choice of keys (the pads take it).
  void UseSettings(SettingsStore& store, std::function<void(const KeyBindings&)> keysChanged);
  // Where screenshots go; the person's pictures folder unless a test says otherwise.
  void SetPicturesFolder(const QString& folder) { pictures_ = folder; }

 protected:
  // The splash has no close box of its own; where the desktop adds one anyway, closing the
  // splash is PLAY, so that a person is never left with no window.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu();
  void ShowSettings();
  void KeepSize();

  ConsoleWindow& console_;
  AboutForm& about_;
  QMenu* menu_ = nullptr;
  SettingsStore* store_ = nullptr;
  std::function<void(const KeyBindings&)> keysChanged_;
  QString pictures_;
  QActionGroup* sizes_ = nullptr;
  QAction* fullScreen_ = nullptr;
  QAction* pause_ = nullptr;
  QAction* backgroundPause_ = nullptr;
};

}  // namespace floemark::app
