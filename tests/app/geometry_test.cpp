#include "app/windows/geometry.h"

#include <gtest/gtest.h>

#include "panel/layout.h"

namespace floemark::app {
namespace {

TEST(Centring, TruncatesTowardZeroOnEveryScreen) {
  using panel::kConsoleHeight, panel::kConsoleWidth;
  EXPECT_EQ(CentredPosition(1024, 768, kConsoleWidth, kConsoleHeight), (Point{141, 190}));
  // Smaller than the console: -101 / 2 is -50, where a floor would give -51.
  EXPECT_EQ(CentredPosition(640, 480, kConsoleWidth, kConsoleHeight), (Point{-50, 46}));
  EXPECT_EQ(CentredPosition(741, 388, kConsoleWidth, kConsoleHeight), (Point{0, 0}));
  EXPECT_EQ(CentredPosition(740, 387, kConsoleWidth, kConsoleHeight), (Point{0, 0}));
  EXPECT_EQ(CentredPosition(1920, 1080, kConsoleWidth, kConsoleHeight), (Point{589, 346}));
  // The splash on the test screen of the end-to-end test.
  EXPECT_EQ(CentredPosition(1024, 768, 246, 306), (Point{389, 231}));
}

TEST(Centring, OnAPrimaryMonitorAwayFromTheOrigin) {
  using panel::kConsoleHeight, panel::kConsoleWidth;
  // A 1920 x 1080 primary monitor to the right of a 1024 x 600 one.
  EXPECT_EQ(CentredPosition({1024, 0}, 1920, 1080, 246, 306), (Point{1861, 387}));
  EXPECT_EQ(CentredPosition({1024, 0}, 1920, 1080, kConsoleWidth, kConsoleHeight),
            (Point{1613, 346}));
  // Above and to the left of the origin, and smaller than the console: truncation toward zero
  // of the screen's own arithmetic, then the move.
  EXPECT_EQ(CentredPosition({-640, -480}, 640, 480, kConsoleWidth, kConsoleHeight),
            (Point{-690, -434}));
}

TEST(Drag, WindowFollowsTheMouseByItsTravel) {
  const Point window{141, 190};
  const Point origin{20, 30};
  // The mouse is 7 right and 5 up of where it was pressed, in the surface's coordinates.
  EXPECT_EQ(DragStep(window, origin, {27, 25}), (Point{148, 185}));
  // No travel, no move.
  EXPECT_EQ(DragStep(window, origin, origin), window);
  // Outside the surface (the mouse is held by it): negative coordinates are travel too.
  EXPECT_EQ(DragStep(window, origin, {-100, 500}), (Point{21, 660}));
  // Off the screen to the top left.
  EXPECT_EQ(DragStep({-800, -450}, {0, 0}, {-5, -3}), (Point{-805, -453}));
}

}  // namespace
}  // namespace floemark::app
