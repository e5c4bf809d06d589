#pragma once
// Every operation the game asks of the sound channels it watches, with the moment on the
// virtual clock, as "PlayCue MPlayer_Tempo" or "LoadCue MPlayer_Music OVER.WAV".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/virtual_clock.h"
#include "sound/channel.h"

namespace floemark::testing {

struct SoundCall {
  std::int64_t t;
  std::string line;
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

}  // namespace floemark::testing
