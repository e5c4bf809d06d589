#pragma once
// Watches one console: what its sound channels were asked to do during a handler, and what a
// handler changed on the panel and in the timers. Game thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "game/form1.h"
#include "sound/channel.h"

namespace floemark::trace {

class Recorder : public sound::SoundObserver {
 public:
  // after, when given, is called at the end of every handler.
  explicit Recorder(
      TForm1& form,
      std::function<void(std::int64_t t, std::string_view name, const TForm1&)> after = nullptr);
  ~Recorder() override;

  // Runs one handler and appends its block to out: the header, then the sound operations in
  // call order, the error that ended it, and the differences it made.
  template <typename Fn>
  void Run(std::int64_t t, std::string_view name, Fn&& handler, std::string& out);

  void OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) override;

 private:
  struct Snapshot {
    std::array<bool, panel::kComponentCount> visible;
    std::array<panel::Component, panel::kComponentCount> picture;
    std::array<bool, kTimerCount> enabled;
    std::array<int, kTimerCount> interval;
  };
  Snapshot Take() const;
  void Begin(std::int64_t t, std::string_view name, std::string& out);
  void Finish(const std::string* error, std::string& out);

  TForm1& form_;
  std::function<void(std::int64_t, std::string_view, const TForm1&)> after_;
  Snapshot before_{};
  std::string sound_;  // lines of the running handler
};

template <typename Fn>
void Recorder::Run(std::int64_t t, std::string_view name, Fn&& handler, std::string& out) {
  Begin(t, name, out);
  try {
    handler();
  } catch (const floemark::Error& e) {
    const std::string text = e.what();
    Finish(&text, out);
    if (after_) after_(t, name, form_);
    return;
  }
  Finish(nullptr, out);
  if (after_) after_(t, name, form_);
}

}  // namespace floemark::trace
