#pragma once
// One game pad's controls turned into the keys of the side it plays, so that a pad acts through
// the keyboard's own handlers: its attack buttons are the side's start and attack key (SHIFT or
// CTRL), its d-pad and left stick are the side's left and right keys. A key is down while any
// control that gives it is held, so a pad and its stick together still make one press and one
// release, exactly like one key; the handheld's shared latch does the rest. The person may give
// each of a side's keys another button (key_bindings.h); the stick always steps. GUI thread only.

#include <array>
#include <cstdint>
#include <functional>

#include "app/input/key_bindings.h"

namespace floemark::app {

class PadKeys {
 public:
  // Stick travel runs -32768..32767: pressed past half of it, released below a third, so a stick
  // that rests or wobbles near its centre never repeats.
  static constexpr int kStickPress = 16384, kStickRelease = 10923;

  // Receives every key change: down or up, and the virtual key code.
  using KeyFn = std::function<void(bool down, std::uint16_t key)>;

  explicit PadKeys(KeyFn key) : key_(std::move(key)) {}

  // The side the pad plays: 1 penguin, 2 seal, 0 none. A change first releases what is held.
  void SetSide(int player);
  // The buttons of each side's keys; a change first releases what is held.
  void SetBindings(const std::array<std::array<PadButton, 3>, 2>& pad);
  int Side() const { return side_; }

  // One of the pad's buttons (any but PadButton::Handheld).
  void Button(PadButton b, bool down);
  // The left stick's horizontal travel.
  void StickX(int value);
  // Lets go of everything held (the pad is unplugged or changes sides).
  void ReleaseAll();

 private:
  // The controls that act: the buttons at their PadButton's number, then the stick's two ways.
  static constexpr int kStickLeft = kPadButtons, kStickRight = kPadButtons + 1;
  static constexpr int kControls = kPadButtons + 2;

  void Set(int control, bool down);
  std::uint16_t KeyFor(int control) const;

  KeyFn key_;
  int side_ = 0;
  std::array<std::array<PadButton, 3>, 2> bindings_{};
  std::array<bool, kControls> held_{};
};

}  // namespace floemark::app
