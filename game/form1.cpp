#include "game/form1.h"

#include <array>
#include <cstddef>

namespace floemark {

TForm1::TForm1(Clock& clock, TimerDriver& timers, sound::AudioOutput& audio)
    : timerDriver_(timers),
      MPlayer_Music("MPlayer_Music", audio, 0),
      MPlayer_Tempo("MPlayer_Tempo", audio, 1),
      MPlayer_Block("MPlayer_Block", audio, 2),
      MPlayer_Got("MPlayer_Got", audio, 3),
      clock_(clock) {}

TForm1::~TForm1() = default;

Timer& TForm1::TimerById(TimerId id) {
  static constexpr Timer TForm1::*kMembers[] = {
#define TIMER(name, ms) &TForm1::name,
#include "base/timers.def"
#undef TIMER
  };
  return this->*kMembers[static_cast<int>(id)];
}

const Timer& TForm1::TimerById(TimerId id) const {
  return const_cast<TForm1*>(this)->TimerById(id);
}

void TForm1::OnTimer(TimerId id) {
  // A std::array, not a built-in one: GCC 12's bounds sanitizer misreads the index into a
  // built-in array of member function pointers (9 reported as 256) and stops the program.
  static constexpr std::array<void (TForm1::*)(), kTimerCount> kHandlers = {
#define TIMER(name, ms) &TForm1::name##Timer,
#include "base/timers.def"
#undef TIMER
  };
  (this->*kHandlers[static_cast<std::size_t>(id)])();
}

int TForm1::Random(int n) { return RandomDraw(clock_.TimeOfDayMs(), n); }

}  // namespace floemark
