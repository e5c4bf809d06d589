#include "app/input/pad_keys.h"

#include "game/keys.h"

namespace floemark::app {

std::uint16_t PadKeys::KeyFor(int control) const {
  if (side_ != 1 && side_ != 2) return 0;
  if (control == kStickLeft) return KeyOf(side_, KeyPlace::Left);
  if (control == kStickRight) return KeyOf(side_, KeyPlace::Right);
  const auto c = static_cast<PadButton>(control);
  for (const KeyPlace place : {KeyPlace::Attack, KeyPlace::Left, KeyPlace::Right}) {
    const PadButton chosen = bindings_[std::size_t(side_ - 1)][std::size_t(place)];
    bool plays = false;
    if (chosen != PadButton::Handheld) {
      plays = chosen == c;
    } else if (place == KeyPlace::Attack) {
      plays = c == PadButton::A || c == PadButton::B || c == PadButton::Start;
    } else {
      plays = c == (place == KeyPlace::Left ? PadButton::DpadLeft : PadButton::DpadRight);
    }
    if (plays) return KeyOf(side_, place);
  }
  return 0;
}

void PadKeys::SetBindings(const std::array<std::array<PadButton, 3>, 2>& pad) {
  if (pad == bindings_) return;
  ReleaseAll();
  bindings_ = pad;
}

void PadKeys::SetSide(int player) {
  if (player == side_) return;
  ReleaseAll();
  side_ = player;
}

void PadKeys::Set(int i, bool down) {
  if (held_[i] == down) return;
  const std::uint16_t key = KeyFor(i);
  // The key changes only when the first control that gives it goes down or the last comes up.
  bool others = false;
  for (int j = 0; j < kControls; ++j)
    if (j != i && held_[j] && KeyFor(j) == key) others = true;
  held_[i] = down;
  if (key != 0 && !others) key_(down, key);
}

void PadKeys::Button(PadButton b, bool down) {
  if (b != PadButton::Handheld) Set(static_cast<int>(b), down);
}

void PadKeys::StickX(int value) {
  const bool left = held_[kStickLeft];
  const bool right = held_[kStickRight];
  // Each direction has its own hysteresis; a stick flung across the centre lets go of one side
  // before it presses the other.
  const bool wantLeft = left ? value < -kStickRelease : value <= -kStickPress;
  const bool wantRight = right ? value > kStickRelease : value >= kStickPress;
  if (!wantLeft) Set(kStickLeft, false);
  if (!wantRight) Set(kStickRight, false);
  Set(kStickLeft, wantLeft);
  Set(kStickRight, wantRight);
}

void PadKeys::ReleaseAll() {
  for (int i = 0; i < kControls; ++i) Set(i, false);
}

}  // namespace floemark::app
