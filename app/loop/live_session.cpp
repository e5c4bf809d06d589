#include "app/loop/live_session.h"

#include <algorithm>

namespace floemark::app {

LiveSession::LiveSession(Clock& real, sound::AudioOutput& audio,
                         std::function<void(const std::string&)> report,
                         std::optional<std::int64_t> timeOfDayAtZero)
    : real_(real),
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
  session_.Input(command, RealMs());
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
  session_.CatchUp(RealMs());
  Reschedule();
}

void LiveSession::Reschedule() {
  const std::optional<std::int64_t> next = session_.NextDue();
  if (!next) {
    wake_.stop();
    return;
  }
  wake_.start(static_cast<int>(std::clamp<std::int64_t>(*next - RealMs(), 0, 1 << 30)));
}

}  // namespace floemark::app
