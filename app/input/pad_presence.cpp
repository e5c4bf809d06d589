#include "app/input/pad_presence.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace floemark::app {
namespace {

// From the kernel's input-event-codes.h: BTN_JOYSTICK..BTN_DEAD, BTN_GAMEPAD..BTN_THUMBR and
// BTN_TRIGGER_HAPPY1..40.
constexpr int kJoystickFirst = 0x120, kGamepadLast = 0x13e;
constexpr int kTriggerHappyFirst = 0x2c0, kTriggerHappyLast = 0x2e7;

}  // namespace

bool AnyBitSet(const std::string& bitmap, int first, int last) {
  std::istringstream in(bitmap);
  const std::vector<std::string> words{std::istream_iterator<std::string>(in), {}};
  constexpr int kWordBits = sizeof(long) * CHAR_BIT;
  for (std::size_t i = 0; i < words.size(); ++i) {
    // The last word holds bits 0 up.
    const int low = static_cast<int>(words.size() - 1 - i) * kWordBits;
    if (low > last || low + kWordBits <= first) continue;
    std::uint64_t word = 0;
    try {
      word = std::stoull(words[i], nullptr, 16);
    } catch (const std::exception&) {
      continue;
    }
    for (int bit = std::max(first, low); bit <= std::min(last, low + kWordBits - 1); ++bit)
      if (word >> (bit - low) & 1) return true;
  }
  return false;
}

bool PadPresent(const std::string& sysClassInput) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator devices(sysClassInput, error);
  if (error) return true;
  for (const fs::directory_entry& device : devices) {
    const std::string name = device.path().filename().string();
    if (name.starts_with("js")) return true;
    if (!name.starts_with("event")) continue;
    std::ifstream keys(device.path() / "device/capabilities/key");
    std::string bitmap;
    std::getline(keys, bitmap);
    if (AnyBitSet(bitmap, kJoystickFirst, kGamepadLast) ||
        AnyBitSet(bitmap, kTriggerHappyFirst, kTriggerHappyLast))
      return true;
  }
  return false;
}

}  // namespace floemark::app
