#pragma once
// Qt's key codes turned into the Windows virtual key codes the game compares.

#include <cstdint>
#include <optional>

namespace floemark::app {

// Either Shift key gives 16 and either Ctrl key 17; letters give their capital's code whatever
// the case (Qt reports Key_Z for "z" and "Z" alike); the arrows 37..40. Digits, the function
// keys and a few common keys pass their codes too (the game ignores them); a key with no
// virtual code gives nothing.
std::optional<std::uint16_t> VirtualKey(int qtKey);

}  // namespace floemark::app
