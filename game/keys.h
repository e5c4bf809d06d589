#pragma once
// The six keys of the two players: the one table of them. The key handlers compare a key with
// them in this order; a front end that offers other controls (a game pad) finds a side's keys
// here by where they lie on the console.

#include <cstdint>

#include "panel/layout.h"

namespace floemark {

// Windows virtual key codes, the codes the game compares.
namespace vk {
inline constexpr std::uint16_t Shift = 16, Ctrl = 17, Left = 37, Right = 39, C = 67, Z = 90;
}

// A step key's value is its direction along the player's positions.
enum class KeyAction : std::int8_t { Attack = 0, TowardSupply = -1, TowardLadder = +1 };
// Where the key lies among its player's three keys on the console.
enum class KeyPlace : std::uint8_t { Attack, Left, Right };

struct KeyInfo {
  std::uint16_t code;
  int player;
  KeyPlace place;
  KeyAction action;
  panel::Component indicator;
};

// The seal's screen is mirrored, so its left arrow walks toward its ladder.
inline constexpr KeyInfo kKeys[] = {
    {vk::Shift, 1, KeyPlace::Attack, KeyAction::Attack, panel::Puls_PenguinAttack},
    {vk::Z, 1, KeyPlace::Left, KeyAction::TowardSupply, panel::Puls_PenguinLeft},
    {vk::C, 1, KeyPlace::Right, KeyAction::TowardLadder, panel::Puls_PenguinRight},
    {vk::Ctrl, 2, KeyPlace::Attack, KeyAction::Attack, panel::Puls_SealAttack},
    {vk::Left, 2, KeyPlace::Left, KeyAction::TowardLadder, panel::Puls_SealLeft},
    {vk::Right, 2, KeyPlace::Right, KeyAction::TowardSupply, panel::Puls_SealRight},
};

// The code of player's key at place; 0 for a player that has no keys.
inline constexpr std::uint16_t KeyOf(int player, KeyPlace place) {
  for (const KeyInfo& k : kKeys)
    if (k.player == player && k.place == place) return k.code;
  return 0;
}

}  // namespace floemark
