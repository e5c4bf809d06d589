#include "app/input/key_bindings.h"

#include <algorithm>

namespace floemark::app {
namespace {

constexpr const char* kPadNames[kPadButtons] = {
    "handheld", "A",    "B",         "X",          "Y",       "LB",        "RB",
    "start",    "back", "dpad-left", "dpad-right", "dpad-up", "dpad-down",
};

}  // namespace

const char* PadButtonName(PadButton b) { return kPadNames[int(b)]; }

std::optional<PadButton> PadButtonNamed(const std::string& name) {
  for (int i = 0; i < kPadButtons; ++i)
    if (name == kPadNames[i]) return static_cast<PadButton>(i);
  return std::nullopt;
}

std::optional<std::uint16_t> KeyBindings::Translate(std::uint16_t code) const {
  for (int i = 0; i < kKeyCount; ++i)
    if (keys[std::size_t(i)] == code) return kKeys[i].code;
  for (const KeyInfo& k : kKeys)
    if (k.code == code) return std::nullopt;
  return code;
}

bool ReservedKey(std::uint16_t code) {
  // Esc (Exit), P (pause), F1..F3 (the menu's documents), F11 (full screen), F12 (screenshot).
  return code == 27 || code == 'P' || (code >= 112 && code <= 114) || code == 122 || code == 123;
}

std::string KeyBindings::Problem() const {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == 0) return "every key of both players must be chosen.";
    if (ReservedKey(keys[i])) return "that key belongs to the window (Esc, P, F1-F3, F11, F12).";
    if (std::count(keys.begin(), keys.end(), keys[i]) > 1)
      return "the same key cannot play two of the console's keys.";
  }
  return {};
}

}  // namespace floemark::app
