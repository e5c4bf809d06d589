#pragma once
// The words of the splash and about windows that the page shows too: one table for the desktop
// program and the browser's panels. Plain constants, no Qt, so that the page's core carries
// them as they stand.

namespace floemark::app {

inline constexpr const char* kSplashTitle = "Floemark (Korvane) Simulator";

struct AboutDetail {
  const char* caption;  // silver, left-aligned
  const char* value;    // the program's own detail: bold white, right-aligned
};

// The about window speaks of the program itself: what it is, when and where it was made.
inline constexpr AboutDetail kAboutDetails[] = {
    {"My real name:", "Floemark Simulator"}, {"My birthplace:", "A Debian 12 box"},
    {"My birth date:", "December 2026"},     {"My current occupation:", "LCD game simulator"},
    {"My hobby:", "Throwing bombs"},
};

}  // namespace floemark::app
