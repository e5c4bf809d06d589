#pragma once
// Watches one console for floemark-trace: what its sound channels were asked to do during a
// handler, and what a handler changed on the panel and in the timers, written as the trace's
// block for that handler. Game thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "console/dispatcher.h"
#include "game/form1.h"
#include "sound/channel.h"

namespace floemark::console {

// Called after every handler with its moment and its name as the trace shows them.
using AfterHandler = std::function<void(std::int64_t t, std::string_view name, const TForm1&)>;

class TraceRecorder : public HandlerWatcher, public sound::SoundObserver {
 public:
  // Each handler's block is appended to out; after, when given, is called at its end.
  TraceRecorder(TForm1& form, std::string& out, AfterHandler after = nullptr);
  ~TraceRecorder() override;

  // The block's header, then the sound operations in call order, the error that ended the
  // handler, and the differences it made.
  void Begin(std::int64_t t, const HandlerCall& call) override;
  void End(const std::string* error) override;

  void OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) override;

 private:
  struct Snapshot {
    std::array<bool, panel::kComponentCount> visible;
    std::array<panel::Component, panel::kComponentCount> picture;
    std::array<bool, kTimerCount> enabled;
    std::array<int, kTimerCount> interval;
  };
  Snapshot Take() const;

  TForm1& form_;
  std::string& out_;
  AfterHandler after_;
  Snapshot before_{};
  std::int64_t t_ = 0;
  std::string name_;   // of the running handler
  std::string sound_;  // lines of the running handler
};

}  // namespace floemark::console
