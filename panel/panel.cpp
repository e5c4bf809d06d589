#include "panel/panel.h"

namespace floemark::panel {

Panel::Panel() {
  for (int i = 0; i < kComponentCount; ++i) {
    const ComponentInfo& info = kLayout[i];
    visible_[i] = info.visibleAtStart;
    picture_[i] = info.kind == PictureKind::None ? kNoPicture : static_cast<Component>(i);
    hint_[i] = std::string(info.hint);
  }
}

void Panel::SetVisible(Component c, bool on) {
  if (visible_[c] == on) return;
  visible_[c] = on;
  damage_.set(c);
}

void Panel::CopyPicture(Component c, Component source) {
  const Component held = source == kNoPicture ? kNoPicture : picture_[source];
  if (picture_[c] == held) return;
  picture_[c] = held;
  if (visible_[c]) damage_.set(c);
}

std::optional<Component> Panel::HitTest(int x, int y) const {
  for (int i = kComponentCount - 1; i >= 0; --i)
    if (visible_[i] && kLayout[i].rect.Contains(x, y)) return static_cast<Component>(i);
  return std::nullopt;
}

std::bitset<kComponentCount> Panel::TakeDamage() {
  std::bitset<kComponentCount> d = damage_;
  damage_.reset();
  return d;
}

}  // namespace floemark::panel
