#pragma once
// The fixed composition of the console window: 134 components, their places and kinds.
// Nothing here changes at run time; the runtime state lives in Panel.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace floemark::panel {

enum class PictureKind : std::uint8_t { Jpeg, Bitmap8, Bitmap1, None };
enum class Cursor : std::uint8_t { Arrow, Help, Hand };
// Drag: a surface that moves the borderless window; Click: a console button.
enum class Mouse : std::uint8_t { None, Drag, Click };

// Component ids in drawing order: the value is z - 1, so iterating ids paints bottom to top.
enum Component : std::uint8_t {
#define X(z, name, ...) name,
#include "panel/components.def"
#undef X
  kComponentCount
};
static_assert(kComponentCount == 134);

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool Contains(int x, int y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
  bool Intersects(const Rect& o) const {
    return left < o.left + o.width && o.left < left + width && top < o.top + o.height &&
           o.top < top + height;
  }
  bool operator==(const Rect&) const = default;
};

struct ComponentInfo {
  std::string_view name;
  int z;
  Rect rect;
  PictureKind kind;
  bool transparent;  // 1-bit pictures: only the black pixels are drawn
  bool visibleAtStart;
  Cursor cursor;
  std::string_view hint;  // "" shows no tool tip
  Mouse mouse;
};

extern const std::array<ComponentInfo, kComponentCount> kLayout;

inline const ComponentInfo& Info(Component c) { return kLayout[c]; }
std::optional<Component> FindComponent(std::string_view name);
// A segment of the two LCD screens: a 1-bit picture, but for the digit glyphs, which lie
// hidden below the screens as the sources the score slots copy.
bool IsLcdSegment(Component c);

// Client size of the console window.
inline constexpr int kConsoleWidth = 741;
inline constexpr int kConsoleHeight = 388;

}  // namespace floemark::panel
