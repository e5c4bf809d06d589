#pragma once
// Runtime state of the console window's components: which are visible and which picture
// each holds. Owned by the console (TForm1); read by the renderer and the replay tool.
// Single-threaded: the game thread writes it, the front end reads it between handlers.

#include <array>
#include <bitset>
#include <string>

#include "panel/layout.h"

namespace floemark::panel {

// The picture a component holds: its own, none, or a copy of another component's.
// A copy is named by the component it was copied from.
inline constexpr Component kNoPicture = kComponentCount;

class Panel {
 public:
  Panel();

  bool Visible(Component c) const { return visible_[c]; }
  void SetVisible(Component c, bool on);

  Component Picture(Component c) const { return picture_[c]; }
  // Gives c a copy of the picture that source holds now (kNoPicture empties it).
  void CopyPicture(Component c, Component source);
  void ClearPicture(Component c) { CopyPicture(c, kNoPicture); }

  const std::string& Hint(Component c) const { return hint_[c]; }
  void SetHint(Component c, std::string hint) { hint_[c] = std::move(hint); }

  // The topmost visible component at a client point that takes the mouse, if any.
  // Hidden components let the mouse through; every visible component takes it.
  std::optional<Component> HitTest(int x, int y) const;

  // Components whose look changed since the last call; the front end repaints their rectangles.
  std::bitset<kComponentCount> TakeDamage();

  bool operator==(const Panel& o) const { return visible_ == o.visible_ && picture_ == o.picture_; }

 private:
  std::array<bool, kComponentCount> visible_{};
  std::array<Component, kComponentCount> picture_{};
  std::array<std::string, kComponentCount> hint_;
  std::bitset<kComponentCount> damage_;
};

}  // namespace floemark::panel
