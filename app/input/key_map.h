#pragma once
// Qt's key codes turned into the Windows virtual key codes the game compares.

#include <cstdint>
#include <optional>
#include <string>

namespace floemark::app {

// Either Shift key gives 16 and either Ctrl key 17; letters give their capital's code whatever
// the case (Qt reports Key_Z for "z" and "Z" alike); the arrows 37..40. Digits, the function
// keys and a few common keys pass their codes too (the game ignores them); a key with no
// virtual code gives nothing.
// A key whose layout gives a letter of another script (Cyrillic, Greek, Hebrew, Arabic...; Qt
// reports its capital's code point) gives the letter at its place on a US keyboard, found by
// its scan code, as Windows' virtual key codes do for such layouts: on a Russian keyboard the
// key labelled Я is Z. A Latin layout's letters are its own: on a German keyboard Z is the key
// labelled Z, beside T.
std::optional<std::uint16_t> VirtualKey(int qtKey, std::uint32_t scanCode = 0);

// A virtual key code as a person reads it on the keyboard: "Shift", "Z", "Left", "F5".
std::string KeyName(std::uint16_t code);

// The letter 'A'..'Z' on a US keyboard's key with this scan code (an XKB key code, the evdev
// code + 8, on X11 and Wayland alike), or nothing for a key that carries no letter there.
std::optional<std::uint16_t> UsLetterAt(std::uint32_t scanCode);

}  // namespace floemark::app
