#pragma once
// A console on the virtual clock for scenario tests: a working directory with small valid cue
// files (or only some of them), a log of every channel operation, and helpers to run the
// console up to a moment the way the replay does (events before the timers due at their time).

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
#include "game/form1.h"
#include "base/virtual_clock.h"
#include "sound/channel.h"
#include "sound/null_output.h"

namespace floemark::testing {

inline const std::vector<std::string> kAllCues = {"START.WAV", "TEMPO.WAV",  "GOT.WAV", "BLOCK.WAV",
                                                  "BONUS.WAV", "BOMBED.WAV", "OVER.WAV"};

// A temporary working directory holding SOUND/ with the named cue files; the process works in
// it while the object lives.
class SoundDir {
 public:
  explicit SoundDir(const std::vector<std::string>& files = kAllCues);
  ~SoundDir();
  SoundDir(const SoundDir&) = delete;
  SoundDir& operator=(const SoundDir&) = delete;

 private:
  std::filesystem::path dir_, previous_;
};

struct SoundCall {
  std::int64_t t;
  std::string line;  // "PlayCue MPlayer_Tempo", "LoadCue MPlayer_Music OVER.WAV"
};

class SoundLog : public sound::SoundObserver {
 public:
  explicit SoundLog(const VirtualClock& clock) : clock_(clock) {}
  void OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) override;
  std::vector<SoundCall> calls;
  // The lines logged from t on (all when t is 0), without their times.
  std::vector<std::string> Since(std::int64_t t) const;
  int Count(const std::string& line) const;

 private:
  const VirtualClock& clock_;
};

// The time of day at which a draw from n gives r: the first at or after from.
std::int64_t TimeOfDayGiving(int n, int r, std::int64_t from = 0);

class Console {
 public:
  // timeOfDayMs: the clock at t = 0. FormCreate runs at once.
  explicit Console(std::int64_t timeOfDayMs = 0);
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
