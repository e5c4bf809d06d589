#pragma once
// The console's interval timers (base/timers.def). A Timer keeps the game's rules (enabling an
// enabled timer or setting the interval it already has changes nothing; a fresh countdown starts on
// enable or on a different interval); a TimerDriver does the counting: the Qt event loop in
// the program, a virtual clock in the tests and the replay tool. Game thread only.

#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace floemark {

// The timers of base/timers.def, in its order.
enum class TimerId : std::uint8_t {
#define TIMER(name, ms) name,
#include "base/timers.def"
#undef TIMER
};
inline constexpr TimerId kAllTimers[] = {
#define TIMER(name, ms) TimerId::name,
#include "base/timers.def"
#undef TIMER
};
inline constexpr int kTimerCount = static_cast<int>(std::size(kAllTimers));

std::string_view TimerName(TimerId id);     // "TimerGioco"
std::string_view TimerHandler(TimerId id);  // "TimerGiocoTimer"
int TimerLayoutInterval(TimerId id);        // ms, the interval before any code sets one

class TimerDriver {
 public:
  virtual ~TimerDriver() = default;
  // Start a fresh countdown of intervalMs from now; the timer then fires every interval.
  virtual void Restart(TimerId id, int intervalMs) = 0;
  virtual void Stop(TimerId id) = 0;
};

class Timer {
 public:
  Timer(TimerId id, TimerDriver* driver);
  TimerId Id() const { return id_; }
  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }
  void SetEnabled(bool on);
  void SetInterval(int ms);

 private:
  TimerId id_;
  TimerDriver* driver_;
  bool enabled_ = false;
  int interval_;
};

}  // namespace floemark
