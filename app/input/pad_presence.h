#pragma once
// Whether the kernel knows of a game pad or joystick, from the input devices' capabilities in
// sysfs (no device is opened): SDL, with all it loads, is started only once one is there. The
// test is that of udev's joystick class, widened so that a device it could miss still counts:
// a joystick node (jsN), or an event device with a button of a joystick's or a game pad's
// ranges. Where the devices can't be listed (no sysfs, as in some containers), the answer is
// yes: a pad may be there.

#include <string>

namespace floemark::app {

bool PadPresent(const std::string& sysClassInput = "/sys/class/input");

// The bits of a capabilities bitmap as sysfs prints it ("1f0000 0 0 ffff"): words of a long,
// the most significant first, in hexadecimal; whether any bit from first to last is set.
bool AnyBitSet(const std::string& bitmap, int first, int last);

}  // namespace floemark::app
