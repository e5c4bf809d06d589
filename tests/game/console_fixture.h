#pragma once
// A console on the virtual clock for scenario tests: a log of every channel operation, and
// helpers to run the console up to a moment the way the replay does (events before the timers
// due at their time). The sound files come from a ScratchDir made before the console.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/virtual_clock.h"
#include "game/form1.h"
#include "sound/channel.h"
#include "sound/null_output.h"
#include "support/scratch_dir.h"
#include "support/sound_log.h"

namespace floemark::testing {

// Bomb b in play at (cell, lane), shown there: rolling toward target, or lying still when
// rolling is false. A target below 0 leaves the bomb's target as it was, lying still.
void PlaceBomb(TForm1& f, int b, int cell, int lane, int target = -1, bool rolling = true);
// Player p drawn at position pos.
void PlacePlayer(TForm1& f, int p, int pos);

// The time of day at which a draw from n gives r: the first at or after from.
std::int64_t TimeOfDayGiving(int n, int r, std::int64_t from = 0);

class Console {
 public:
  enum class Create { Now, ByTheTest };
  // timeOfDayMs: the clock at t = 0. FormCreate runs at once, unless the test runs it itself.
  explicit Console(std::int64_t timeOfDayMs = 0, Create create = Create::Now);
  ~Console();

  TForm1& f() { return *form_; }
  std::int64_t Now() const { return clock.Now(); }

  // Runs every timer due before t, then stands at t (the moment of an event).
  void Before(std::int64_t t);
  // Runs every timer due at t at the latest.
  void Through(std::int64_t t);
  // Before(t), then the handler at t; a sound error ends it as in the program.
  void At(std::int64_t t, const std::function<void()>& handler);
  void Press(std::int64_t t, std::uint16_t key);  // key down at t, up 50 ms later
  void PowerOnAndStart(std::int64_t t, std::uint16_t key, bool twoPlayers);

  bool Visible(panel::Component c) const { return form_->Components.Visible(c); }
  // Every component that shows, by name.
  std::vector<std::string> ShownNames() const;

  VirtualClock clock;
  sound::NullOutput audio;
  SoundLog sounds;
  std::vector<std::string> errors;  // report texts, in order

 private:
  void Guard(const std::function<void()>& handler);
  std::unique_ptr<TForm1> form_;
};

}  // namespace floemark::testing
