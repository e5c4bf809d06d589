#include "app/input/pad_keys.h"

#include "game/keys.h"

namespace floemark::app {

std::uint16_t PadKeys::KeyFor(Control c) const {
  switch (c) {
    case Control::A:
    case Control::B:
    case Control::Start:
      return KeyOf(side_, KeyPlace::Attack);
    case Control::DpadLeft:
    case Control::StickLeft:
      return KeyOf(side_, KeyPlace::Left);
    case Control::DpadRight:
    case Control::StickRight:
      return KeyOf(side_, KeyPlace::Right);
  }
  return 0;
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
