#include "app/loop/live_session.h"

#include <algorithm>

#include "sound/audio_output.h"

namespace floemark::app {

LiveSession::LiveSession(Clock& real, sound::AudioOutput& audio,
                         std::function<void(const std::string&)> report,
                         std::optional<std::int64_t> timeOfDayAtZero)
    : real_(real),
      audio_(audio),
      origin_(real.MonotonicMs()),
      session_(timeOfDayAtZero ? *timeOfDayAtZero : real.TimeOfDayMs(), &audio,
               {.afterEach =
                    [this] {
                      if (onHandled_) onHandled_();
                      // A handler may have started, stopped or changed a timer.
                      Reschedule();
                    },
                .report = std::move(report)}) {
  // Precise: Qt's coarse timers may wander by 5 %, and the handheld's rhythm must not.
  wake_.setTimerType(Qt::PreciseTimer);
  wake_.setSingleShot(true);
  connect(&wake_, &QTimer::timeout, this, &LiveSession::CatchUp);
  session_.Start();
}

// The handheld stops its timers as it goes: nothing may wake the loop any more.
LiveSession::~LiveSession() { wake_.stop(); }

void LiveSession::Input(const console::Command& command) {
  if (command.kind == console::Command::KeyUp) {
    // A release the game never saw pressed is passed on as ever, unless paused.
    const bool wasDown = down_.erase(command.key) > 0;
    if (paused_) {
      if (wasDown) releases_.push_back(command.key);
      return;
    }
  }
  if (paused_) return;
  if (command.kind == console::Command::KeyDown) down_.insert(command.key);
  session_.Input(command, RealMs());
  Reschedule();
}

void LiveSession::Pause(bool paused) {
  if (paused == paused_) return;
  if (paused) {
    // What was due before the pause runs at its own moment first.
    session_.CatchUp(RealMs());
    pausedAt_ = real_.MonotonicMs();
    paused_ = true;
    wake_.stop();
    audio_.Hold(true);
    return;
  }
  origin_ += real_.MonotonicMs() - pausedAt_;
  paused_ = false;
  audio_.Hold(false);
  std::vector<std::uint16_t> releases;
  releases.swap(releases_);
  for (const std::uint16_t key : releases) {
    console::Command up{console::Command::KeyUp, 0};
    up.key = key;
    session_.Input(up, RealMs());
  }
  Reschedule();
}

void LiveSession::RunShell(const std::function<void()>& handler) {
  session_.Dispatch().Run(handler);
}

void LiveSession::PlayBack(console::Commands commands) {
  session_.PlayBack(std::move(commands));
  Reschedule();
}

std::int64_t LiveSession::Finish() { return session_.Finish(RealMs()); }

void LiveSession::CatchUp() {
  if (paused_) return;
  session_.CatchUp(RealMs());
  Reschedule();
}

void LiveSession::Reschedule() {
  if (paused_) {
    wake_.stop();
    return;
  }
  const std::optional<std::int64_t> next = session_.NextDue();
  if (!next) {
    wake_.stop();
    return;
  }
  wake_.start(static_cast<int>(std::clamp<std::int64_t>(*next - RealMs(), 0, 1 << 30)));
}

}  // namespace floemark::app
