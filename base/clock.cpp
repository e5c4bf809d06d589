#include "base/clock.h"

namespace floemark {

int RandomDraw(std::int64_t timeOfDayMs, int n) {
  std::uint32_t seed = static_cast<std::uint32_t>(timeOfDayMs);
  seed = seed * 134775813u + 1u;
  return static_cast<int>((static_cast<std::uint64_t>(seed) * static_cast<std::uint32_t>(n)) >> 32);
}

}  // namespace floemark
