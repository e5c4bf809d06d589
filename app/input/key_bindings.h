#pragma once
// The person's own keys: for each of the handheld's six keys, the keyboard key that plays it,
// and for each side the pad buttons that play its three keys. Kept apart from Qt; the keys are
// virtual key codes as key_map gives them, so a chosen key is still taken by its position on a
// keyboard of another script. The handheld's own choice is the default, and with it every key
// reaches the game as it always did.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/keys.h"

namespace floemark::app {

// A pad's buttons, as a binding names them; Handheld is the handheld's own choice for that
// place (A, B or Start to attack, the d-pad's left or right to step).
enum class PadButton : std::uint8_t {
  Handheld,
  A,
  B,
  X,
  Y,
  LeftShoulder,
  RightShoulder,
  Start,
  Back,
  DpadLeft,
  DpadRight,
  DpadUp,
  DpadDown,
};
inline constexpr int kPadButtons = 13;
// "A", "LB", "dpad-left"...: the button's name in the settings file and the dialog.
const char* PadButtonName(PadButton b);
std::optional<PadButton> PadButtonNamed(const std::string& name);

inline constexpr int kKeyCount = int(std::size(kKeys));

struct KeyBindings {
  // keys[i] plays kKeys[i].
  std::array<std::uint16_t, kKeyCount> keys = DefaultKeys();
  // pad[side - 1][place]: the button that plays the side's key at that place.
  std::array<std::array<PadButton, 3>, 2> pad{};

  static constexpr std::array<std::uint16_t, kKeyCount> DefaultKeys() {
    std::array<std::uint16_t, kKeyCount> codes{};
    for (int i = 0; i < kKeyCount; ++i) codes[std::size_t(i)] = kKeys[i].code;
    return codes;
  }
  bool IsDefault() const { return *this == KeyBindings{}; }
  bool operator==(const KeyBindings&) const = default;

  // The handheld's key that the keyboard's key `code` plays: the one it is chosen for; nothing
  // for a handheld key that another key now plays (the handheld's own keys then do not play);
  // any other key as it is (the game ignores it, as it always has).
  std::optional<std::uint16_t> Translate(std::uint16_t code) const;
  // What is wrong with the choice, in one sentence; empty when every key is one the window
  // leaves to the game and no two keys are the same.
  std::string Problem() const;
};

// Keys the window keeps for itself (pause, sizes, the menu's shortcuts): no player may have them.
bool ReservedKey(std::uint16_t code);

}  // namespace floemark::app
