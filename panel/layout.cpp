#include "panel/layout.h"

namespace floemark::panel {
namespace {
constexpr bool Transparent = true;
constexpr bool Opaque = false;
constexpr bool Shown = true;
constexpr bool Hidden = false;
}  // namespace

const std::array<ComponentInfo, kComponentCount> kLayout = {{
#define X(z, name, left, top, width, height, kind, transparent, visible, cursor, hint, mouse) \
  {#name,                                                                                     \
   z,                                                                                         \
   {left, top, width, height},                                                                \
   PictureKind::kind,                                                                         \
   transparent,                                                                               \
   visible,                                                                                   \
   Cursor::cursor,                                                                            \
   hint,                                                                                      \
   Mouse::mouse},
#include "panel/components.def"
#undef X
}};

std::optional<Component> FindComponent(std::string_view name) {
  for (int i = 0; i < kComponentCount; ++i)
    if (kLayout[i].name == name) return static_cast<Component>(i);
  return std::nullopt;
}

bool IsLcdSegment(Component c) {
  return Info(c).kind == PictureKind::Bitmap1 && !(c >= Im_Num0 && c <= Im_Num9);
}

}  // namespace floemark::panel
