#pragma once
// What the person chose and the program keeps between runs: the console's size, whether the
// game pauses while the program is in the background, and the players' keys. Kept with Qt's
// settings in INI form in $XDG_CONFIG_HOME/floemark/floemark.conf (~/.config when that is
// unset), and written only when the person changes something: a program that is only played
// leaves no file behind. GUI thread only.

#include <QDateTime>
#include <QString>
#include <functional>

#include "app/input/key_bindings.h"

namespace floemark::app {

struct Settings {
  // The console's size: 1, 2 or 3 times the handheld's pixels, or 0 for the largest that fits
  // the screen.
  int size = 1;
  bool pauseInBackground = false;
  KeyBindings keys;
  bool operator==(const Settings&) const = default;
};

// Where the settings are kept.
QString SettingsPath();
// The person's pictures folder, where screenshots go: XDG_PICTURES_DIR, else the desktop's
// user folder for pictures, else ~/Pictures.
QString PicturesFolder();
// A new file in folder named for the moment (local time), "floemark-2024-05-01-183005.png", with
// "-2", "-3"... added when one of that name is there.
QString ScreenshotPath(const QString& folder, const QDateTime& when);

class SettingsStore {
 public:
  // Reads path. A file that cannot be read, or that holds what this program would never have
  // written, is renamed to path + ".damaged" and named in one line on standard error (through
  // `warn`, for the tests); the defaults are then used.
  explicit SettingsStore(QString path, std::function<void(const QString&)> warn = {});

  const Settings& Current() const { return current_; }
  // The person's change: kept at once when it changes anything. False, with the reason in
  // error, when the file cannot be written (the change still holds for this run).
  bool Change(const Settings& changed, QString* error = nullptr);

 private:
  QString path_;
  Settings current_;
};

}  // namespace floemark::app
