#pragma once
// Every handler of the core runs through here: an error ends the handler where it was raised,
// is reported, and the program goes on with the next event; nothing is undone. After every
// handler, finished or not, what it changed on the panel is repainted. GUI thread only.

#include <QMessageBox>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <utility>

namespace floemark::app {

// The report: a modal box with the stop icon and an OK button, captioned with the program's
// title. Timers go on firing while it is open, as they do behind any modal box.
void ShowErrorBox(const QString& text);
// The box itself, not yet shown.
std::unique_ptr<QMessageBox> MakeErrorBox(const QString& text);

class Dispatcher {
 public:
  using Reporter = std::function<void(const QString&)>;

  // afterEach repaints the damage; report shows a text already closed by its full stop.
  explicit Dispatcher(std::function<void()> afterEach = {},
                      std::function<void(const QString&)> report = ShowErrorBox)
      : afterEach_(std::move(afterEach)), report_(std::move(report)) {}

  // Runs one handler. Returns false when it ended with an error.
  template <typename F>
  bool Run(F&& handler) {
    try {
      std::forward<F>(handler)();
    } catch (const std::exception& e) {
      // Repaint first, so that the panel behind the box shows how far the handler got.
      Finish();
      Report(e.what());
      return false;
    }
    Finish();
    return true;
  }

 private:
  void Finish() {
    if (afterEach_) afterEach_();
  }
  void Report(const char* what);

  std::function<void()> afterEach_;
  std::function<void(const QString&)> report_;
};

}  // namespace floemark::app
