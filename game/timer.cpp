#include "game/timer.h"

namespace floemark {
namespace {
struct TimerInfo {
  std::string_view name, handler;
  int interval;
};
constexpr std::array<TimerInfo, kTimerCount> kTimers = {{
    {"Timer_Avvio", "Timer_AvvioTimer", 3400},
    {"Timer_Bonus", "Timer_BonusTimer", 3200},
    {"Timer_Errore", "Timer_ErroreTimer", 3200},
    {"Timer_Over", "Timer_OverTimer", 2000},
    {"Timer_Avvoltoio", "Timer_AvvoltoioTimer", 700},
    {"Timer_Disturbi", "Timer_DisturbiTimer", 650},
    {"Timer_Ghiaccio", "Timer_GhiaccioTimer", 9400},
    {"TimerGioco", "TimerGiocoTimer", 200},
    {"TimerIA", "TimerIATimer", 400},
    {"TimerBraccio1", "TimerBraccio1Timer", 300},
    {"TimerBraccio2", "TimerBraccio2Timer", 300},
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
