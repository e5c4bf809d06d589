// Whether a pad is plugged in, on made-up trees of sysfs's input class with the capabilities
// real devices report.
#include "app/input/pad_presence.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/scratch_dir.h"

namespace floemark::app {
namespace {

namespace fs = std::filesystem;

// The key capabilities of devices at hand, as sysfs prints them on a 64-bit kernel.
constexpr const char* kKeyboard =
    "1000000000007 ff9f207ac14057ff febeffdfffefffff fffffffffffffffe";
constexpr const char* kMouse = "1f0000 0 0 0 0";
constexpr const char* kXboxPad = "7cdb000000000000 0 0 0 0";
constexpr const char* kFlightStick = "ffff00000000 0 0 0 0";  // BTN_TRIGGER up: 0x120..
constexpr const char* kDancePad = "f 0 0 0 0 0 0 0 0 0 0 0";  // BTN_TRIGGER_HAPPY1..4 alone

void AddEvent(const fs::path& input, const std::string& name, const std::string& keys) {
  const fs::path caps = input / name / "device" / "capabilities";
  fs::create_directories(caps);
  std::ofstream(caps / "key") << keys << "\n";
}

TEST(PadPresenceTest, ButtonsOfAJoystickOrPadMakeAPad) {
  testing::ScratchDir dir;
  const fs::path input = dir.Root() / "input";
  fs::create_directories(input);
  EXPECT_FALSE(PadPresent(input.string()));
  AddEvent(input, "event0", kKeyboard);
  AddEvent(input, "event1", kMouse);
  fs::create_directories(input / "input3");  // the device itself, not an event node
  EXPECT_FALSE(PadPresent(input.string()));
  for (const char* pad : {kXboxPad, kFlightStick, kDancePad}) {
    AddEvent(input, "event7", pad);
    EXPECT_TRUE(PadPresent(input.string())) << pad;
    fs::remove_all(input / "event7");
  }
  // joydev's node says so by itself.
  fs::create_directories(input / "js0");
  EXPECT_TRUE(PadPresent(input.string()));
}

TEST(PadPresenceTest, WhereTheDevicesCantBeListedAPadMayBeThere) {
  testing::ScratchDir dir;
  EXPECT_TRUE(PadPresent((dir.Root() / "no-sysfs").string()));
}

TEST(PadPresenceTest, BitsCountFromTheLastWordUp) {
  EXPECT_TRUE(AnyBitSet("1 0", 64, 64));
  EXPECT_FALSE(AnyBitSet("1 0", 0, 63));
  EXPECT_TRUE(AnyBitSet("8000000000000000", 63, 63));
  EXPECT_FALSE(AnyBitSet("8000000000000000", 64, 200));
  EXPECT_FALSE(AnyBitSet("", 0, 1000));
  EXPECT_FALSE(AnyBitSet("zz 0", 0, 1000));  // a word that is not hexadecimal counts for nothing
}

}  // namespace
}  // namespace floemark::app
