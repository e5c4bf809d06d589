#pragma once
// A console on a virtual clock with the silent audio output, for tests of any layer.

#include <memory>

#include "game/form1.h"
#include "game/virtual_clock.h"
#include "sound/null_output.h"

namespace floemark::testing {

struct Console {
  explicit Console(std::int64_t timeOfDayMs = 0)
      : clock(timeOfDayMs), audio(clock), form(clock, clock, audio) {}

  // Runs every timer due up to and including t.
  void RunThrough(std::int64_t t) {
    clock.RunThrough(t, [this](TimerId id) { form.OnTimer(id); });
  }

  VirtualClock clock;
  sound::NullOutput audio;
  TForm1 form;
};

}  // namespace floemark::testing
