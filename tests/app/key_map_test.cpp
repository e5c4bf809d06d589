#include "app/input/key_map.h"

#include <gtest/gtest.h>

#include <Qt>

#include "game/form1.h"

namespace floemark::app {
namespace {

TEST(KeyMap, GameKeysGetTheirVirtualCodesOnEitherSideAndInEitherCase) {
  // Qt reports both Shift keys as Key_Shift and both Ctrl keys as Key_Control, and a letter
  // by its capital whether Shift is held or not.
  EXPECT_EQ(VirtualKey(Qt::Key_Shift), vk::Shift);
  EXPECT_EQ(VirtualKey(Qt::Key_Control), vk::Ctrl);
  EXPECT_EQ(VirtualKey(Qt::Key_Z), vk::Z);
  EXPECT_EQ(VirtualKey(Qt::Key_C), vk::C);
  EXPECT_EQ(VirtualKey(Qt::Key_Left), vk::Left);
  EXPECT_EQ(VirtualKey(Qt::Key_Right), vk::Right);
}

TEST(KeyMap, OtherKeysPassWindowsCodesOrNothing) {
  EXPECT_EQ(VirtualKey(Qt::Key_F1), 112);
  EXPECT_EQ(VirtualKey(Qt::Key_F3), 114);
  EXPECT_EQ(VirtualKey(Qt::Key_Escape), 27);
  EXPECT_EQ(VirtualKey(Qt::Key_X), 88);
  EXPECT_EQ(VirtualKey(Qt::Key_5), 53);
  EXPECT_EQ(VirtualKey(Qt::Key_Up), 38);
  // Keys with no virtual code never reach the game.
  EXPECT_EQ(VirtualKey(Qt::Key_Meta), std::nullopt);
  EXPECT_EQ(VirtualKey(Qt::Key_Eacute), std::nullopt);
  EXPECT_EQ(VirtualKey(Qt::Key_unknown), std::nullopt);
}

// XKB key codes of a few keys, the same on every X11 and Wayland desktop (evdev code + 8).
constexpr std::uint32_t kKeyAtUsQ = 24, kKeyAtUsY = 29, kKeyAtUsA = 38, kKeyAtUsL = 46,
                        kKeyAtUsZ = 52, kKeyAtUsC = 54, kKeyAtUsM = 58, kKeyAtUsComma = 59;

TEST(KeyMap, LettersOfOtherScriptsActAtTheirPlaceOnAUsKeyboard) {
  // Russian: Я and С lie where a US keyboard has Z and C (Qt reports the capital's code point).
  EXPECT_EQ(VirtualKey(0x042F, kKeyAtUsZ), vk::Z);
  EXPECT_EQ(VirtualKey(0x0421, kKeyAtUsC), vk::C);
  // Greek ζ → Ζ, Hebrew ז, Arabic ئ: the same keys.
  EXPECT_EQ(VirtualKey(0x0396, kKeyAtUsZ), vk::Z);
  EXPECT_EQ(VirtualKey(0x05D6, kKeyAtUsZ), vk::Z);
  EXPECT_EQ(VirtualKey(0x0626, kKeyAtUsZ), vk::Z);
  // Russian Б lies on the US comma key, which carries no letter: nothing.
  EXPECT_EQ(VirtualKey(0x0411, kKeyAtUsComma), std::nullopt);
}

TEST(KeyMap, ALatinLayoutsLettersAreItsOwnWhereverTheKeysLie) {
  // German: Z beside T (the US Y key); the US Z key gives Y, which the penguin ignores.
  EXPECT_EQ(VirtualKey(Qt::Key_Z, kKeyAtUsY), vk::Z);
  EXPECT_EQ(VirtualKey(Qt::Key_Y, kKeyAtUsZ), 89);
  // French: A and Q change places, M moves to the right of L, the US M key gives a comma.
  EXPECT_EQ(VirtualKey(Qt::Key_A, kKeyAtUsQ), 65);
  EXPECT_EQ(VirtualKey(Qt::Key_Comma, kKeyAtUsM), std::nullopt);
  // Latin letters beyond A..Z keep giving nothing, wherever they lie.
  EXPECT_EQ(VirtualKey(Qt::Key_Eacute, kKeyAtUsZ), std::nullopt);
  EXPECT_EQ(VirtualKey(0x00DF /* ß */, kKeyAtUsZ), std::nullopt);
  // Shift, Ctrl and the arrows are the same keys on every layout.
  EXPECT_EQ(VirtualKey(Qt::Key_Shift, 50), vk::Shift);
  EXPECT_EQ(VirtualKey(Qt::Key_Control, 105), vk::Ctrl);
  EXPECT_EQ(VirtualKey(Qt::Key_Left, 113), vk::Left);
}

TEST(KeyMap, UsLettersByKeyCodeRowByRow) {
  EXPECT_EQ(UsLetterAt(kKeyAtUsQ), 'Q');
  EXPECT_EQ(UsLetterAt(33), 'P');
  EXPECT_EQ(UsLetterAt(kKeyAtUsA), 'A');
  EXPECT_EQ(UsLetterAt(kKeyAtUsL), 'L');
  EXPECT_EQ(UsLetterAt(kKeyAtUsZ), 'Z');
  EXPECT_EQ(UsLetterAt(kKeyAtUsM), 'M');
  // The keys round the rows: [ and ; and , carry no letter, nor does an unknown code.
  for (std::uint32_t code : {23u, 34u, 37u, 47u, 51u, kKeyAtUsComma, 0u})
    EXPECT_EQ(UsLetterAt(code), std::nullopt) << code;
}

}  // namespace
}  // namespace floemark::app
