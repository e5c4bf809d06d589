#pragma once
// How the window reports an error that ended one of the console's handlers: a modal box with the
// stop icon and an OK button, captioned with the program's title. Timers go on firing while it
// is open, as they do behind any modal box. GUI thread only.

#include <QMessageBox>
#include <QString>
#include <memory>
#include <string>

namespace floemark::app {

// text is already closed by its full stop.
void ShowErrorBox(const std::string& text);
// The box itself, not yet shown.
std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text);

}  // namespace floemark::app
