#include "base/timer.h"

namespace floemark {
namespace {
struct TimerInfo {
  std::string_view name, handler;
  int interval;
};
constexpr std::array<TimerInfo, kTimerCount> kTimers = {{
#define TIMER(name, ms) {#name, #name "Timer", ms},
#include "base/timers.def"
#undef TIMER
}};
}  // namespace

std::string_view TimerName(TimerId id) { return kTimers[static_cast<int>(id)].name; }
std::string_view TimerHandler(TimerId id) { return kTimers[static_cast<int>(id)].handler; }
int TimerLayoutInterval(TimerId id) { return kTimers[static_cast<int>(id)].interval; }

Timer::Timer(TimerId id, TimerDriver* driver)
    : id_(id), driver_(driver), interval_(TimerLayoutInterval(id)) {}

void Timer::SetEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  if (on)
    driver_->Restart(id_, interval_);
  else
    driver_->Stop(id_);
}

void Timer::SetInterval(int ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  if (enabled_) driver_->Restart(id_, interval_);
}

}  // namespace floemark
