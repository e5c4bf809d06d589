#include "app/key_map.h"

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

}  // namespace
}  // namespace floemark::app
