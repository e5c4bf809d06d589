#include "support/wav.h"

namespace floemark::testing {
namespace {
void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
}  // namespace

std::vector<std::uint8_t> WavBytes(const std::vector<std::int16_t>& samples, int rate,
                                   int channels) {
  std::vector<std::uint8_t> out;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, static_cast<std::uint32_t>(channels), 2);
  PutLe(out, static_cast<std::uint32_t>(rate), 4);
  PutLe(out, static_cast<std::uint32_t>(rate * channels * 2), 4);
  PutLe(out, static_cast<std::uint32_t>(channels * 2), 2);
  PutLe(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

std::vector<std::int16_t> Ramp(int ms, int offset) {
  std::vector<std::int16_t> s(static_cast<std::size_t>(ms) * 48);
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<std::int16_t>(1 + (i + offset) % 8000);
  return s;
}

}  // namespace floemark::testing
