#include "app/input/pad_keys.h"

#include "game/keys.h"

namespace floemark::app {

std::uint16_t PadKeys::KeyFor(Control c) const {
  if (side_ != 1 && side_ != 2) return 0;
  if (c == Control::StickLeft) return KeyOf(side_, KeyPlace::Left);
  if (c == Control::StickRight) return KeyOf(side_, KeyPlace::Right);
  for (const KeyPlace place : {KeyPlace::Attack, KeyPlace::Left, KeyPlace::Right}) {
    const PadButton chosen = bindings_[std::size_t(side_ - 1)][std::size_t(place)];
    bool plays = false;
    if (chosen != PadButton::Handheld) {
      plays = static_cast<int>(chosen) - 1 == static_cast<int>(c);
    } else if (place == KeyPlace::Attack) {
      plays = c == Control::A || c == Control::B || c == Control::Start;
    } else {
      plays = c == (place == KeyPlace::Left ? Control::DpadLeft : Control::DpadRight);
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

void PadKeys::Set(Control c, bool down) {
  const int i = static_cast<int>(c);
  if (held_[i] == down) return;
  const std::uint16_t key = KeyFor(c);
  // The key changes only when the first control that gives it goes down or the last comes up.
  bool others = false;
  for (int j = 0; j < kControls; ++j)
    if (j != i && held_[j] && KeyFor(static_cast<Control>(j)) == key) others = true;
  held_[i] = down;
  if (key != 0 && !others) key_(down, key);
}

void PadKeys::Button(Control c, bool down) { Set(c, down); }

void PadKeys::StickX(int value) {
  const bool left = held_[static_cast<int>(Control::StickLeft)];
  const bool right = held_[static_cast<int>(Control::StickRight)];
  // Each direction has its own hysteresis; a stick flung across the centre lets go of one side
  // before it presses the other.
  const bool wantLeft = left ? value < -kStickRelease : value <= -kStickPress;
  const bool wantRight = right ? value > kStickRelease : value >= kStickPress;
  if (!wantLeft) Set(Control::StickLeft, false);
  if (!wantRight) Set(Control::StickRight, false);
  Set(Control::StickLeft, wantLeft);
  Set(Control::StickRight, wantRight);
}

void PadKeys::ReleaseAll() {
  for (int i = 0; i < kControls; ++i) Set(static_cast<Control>(i), false);
}

}  // namespace floemark::app
