#pragma once
// Every handler of the console runs through here: an error ends the handler where it was
// raised, is reported, and the console goes on with the next event; nothing is undone. After
// every handler, finished or not, the front end is told, so that it shows what the handler
// changed on the panel. A watcher, when there is one, sees each handler begin and end with its
// moment and its name (floemark-trace writes its trace from that). Game thread only.

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "base/timer.h"
#include "console/commands.h"

namespace floemark::console {

// Which handler runs: the form's creation, a timer's, or an input's.
struct HandlerCall {
  enum Kind : std::uint8_t { FormCreate, Tick, Input } kind;
  TimerId timer = TimerId{};         // Tick
  Command command{Command::End, 0};  // Input
};

// The handler as the trace names it ("FormCreate", "TimerGiocoTimer", "FormKeyDown 90").
std::string HandlerName(const HandlerCall& call);

class HandlerWatcher {
 public:
  virtual ~HandlerWatcher() = default;
  virtual void Begin(std::int64_t t, const HandlerCall& call) = 0;
  // error: the report's text (base/error.h ReportText) when the handler ended with one.
  virtual void End(const std::string* error) = 0;
};

class Dispatcher {
 public:
  struct Hooks {
    std::function<void()> afterEach;                 // the front end shows what changed
    std::function<void(const std::string&)> report;  // a text closed by its full stop
  };

  explicit Dispatcher(Hooks hooks = {}) : hooks_(std::move(hooks)) {}

  void SetWatcher(HandlerWatcher* watcher) { watcher_ = watcher; }

  // Runs one handler. Returns false when it ended with an error.
  template <typename F>
  bool Run(F&& handler) {
    try {
      std::forward<F>(handler)();
    } catch (const std::exception& e) {
      // Shown first, so that the panel behind the report shows how far the handler got.
      Finish();
      Report(e.what());
      return false;
    }
    Finish();
    return true;
  }

  // The same, seen by the watcher as the handler call at moment t.
  template <typename F>
  bool Run(std::int64_t t, const HandlerCall& call, F&& handler) {
    if (watcher_ == nullptr) return Run(std::forward<F>(handler));
    watcher_->Begin(t, call);
    std::optional<std::string> error;
    try {
      std::forward<F>(handler)();
    } catch (const std::exception& e) {
      error = Text(e.what());
    }
    watcher_->End(error ? &*error : nullptr);
    Finish();
    if (error && hooks_.report) hooks_.report(*error);
    return !error;
  }

 private:
  void Finish() {
    if (hooks_.afterEach) hooks_.afterEach();
  }
  static std::string Text(const char* what);
  void Report(const char* what);

  Hooks hooks_;
  HandlerWatcher* watcher_ = nullptr;
};

}  // namespace floemark::console
