#include "support/sound_log.h"

#include <algorithm>

namespace floemark::testing {

void SoundLog::OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) {
  calls.push_back({clock_.Now(), sound::DescribeSoundOp(op, channel, file)});
}

std::vector<std::string> SoundLog::Since(std::int64_t t) const {
  std::vector<std::string> out;
  for (const SoundCall& c : calls)
    if (c.t >= t) out.push_back(c.line);
  return out;
}

int SoundLog::Count(const std::string& line) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const SoundCall& c) { return c.line == line; }));
}

}  // namespace floemark::testing
