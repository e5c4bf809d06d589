// The console's component inventory: what must hold of the one layout table.
#include "panel/layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace floemark::panel {
namespace {

bool IsSegment(const ComponentInfo& c) {
  return c.kind == PictureKind::Bitmap1 && c.name.substr(0, 6) != "Im_Num";
}

Rect ScreenOf(const ComponentInfo& c) {
  const Rect left = Info(Im_ScreenLeft).rect, right = Info(Im_ScreenRight).rect;
  return c.rect.left >= right.left ? right : left;
}

TEST(Layout, CountsAndDrawingOrder) {
  ASSERT_EQ(kLayout.size(), 134u);
  std::set<std::string_view> names;
  int segments = 0, transparentSegments = 0, digits = 0;
  for (int i = 0; i < kComponentCount; ++i) {
    EXPECT_EQ(kLayout[i].z, i + 1) << kLayout[i].name;
    EXPECT_TRUE(names.insert(kLayout[i].name).second) << "duplicate " << kLayout[i].name;
    if (IsSegment(kLayout[i])) {
      ++segments;
      transparentSegments += kLayout[i].transparent;
      EXPECT_FALSE(kLayout[i].visibleAtStart) << kLayout[i].name;
    }
    if (kLayout[i].name.substr(0, 6) == "Im_Num" && kLayout[i].kind == PictureKind::Bitmap1)
      ++digits;
  }
  EXPECT_EQ(segments, 100);
  EXPECT_EQ(transparentSegments, 78);
  EXPECT_EQ(digits, 10);
}

TEST(Layout, SegmentsLieOnTheirScreensFiftyEach) {
  int left = 0, right = 0;
  for (const ComponentInfo& c : kLayout) {
    if (!IsSegment(c)) continue;
    const Rect screen = ScreenOf(c);
    (screen == Info(Im_ScreenLeft).rect ? left : right)++;
    EXPECT_GE(c.rect.left, screen.left) << c.name;
    EXPECT_GE(c.rect.top, screen.top) << c.name;
    EXPECT_LE(c.rect.left + c.rect.width, screen.left + screen.width) << c.name;
    EXPECT_LE(c.rect.top + c.rect.height, screen.top + screen.height) << c.name;
  }
  EXPECT_EQ(left, 50);
  EXPECT_EQ(right, 50);
}

TEST(Layout, ScreensTopLayersAndScoreSlots) {
  EXPECT_EQ(Info(Im_Base).rect, (Rect{0, 0, 741, 388}));
  EXPECT_EQ(Info(Im_ScreenLeft).rect, (Rect{85, 75, 191, 136}));
  // The seal's screen sits one pixel lower.
  EXPECT_EQ(Info(Im_ScreenRight).rect, (Rect{454, 76, 191, 136}));
  EXPECT_EQ(Info(Im_ScreenLeftTop).rect, Info(Im_ScreenLeft).rect);
  EXPECT_EQ(Info(Im_ScreeRightTop).rect, Info(Im_ScreenRight).rect);
  EXPECT_EQ(Info(Im_ScreenLeftTop).z, 125);
  EXPECT_EQ(Info(Im_ScreeRightTop).z, 130);
  // Every segment lies below its screen's top layer; only the score slots lie above.
  for (const ComponentInfo& c : kLayout) {
    if (IsSegment(c)) {
      EXPECT_LT(c.z, 125) << c.name;
    }
  }
  for (Component slot : {Im_NumPosPS1, Im_NumPosPS2, Im_NumPosPP1, Im_NumPosPP2}) {
    EXPECT_GT(Info(slot).z, Info(Im_ScreenLeftTop).z);
    EXPECT_EQ(Info(slot).kind, PictureKind::None);
    EXPECT_TRUE(Info(slot).visibleAtStart);
    EXPECT_EQ(Info(slot).rect.top, 195);
  }
  for (Component slot : {Im_NumPosSS1, Im_NumPosSS2, Im_NumPosSP1, Im_NumPosSP2}) {
    EXPECT_GT(Info(slot).z, Info(Im_ScreeRightTop).z);
    EXPECT_EQ(Info(slot).rect.top, 196);
  }
  for (int d = 0; d <= 9; ++d) {
    const ComponentInfo& g = kLayout[Im_Num0 + d];
    EXPECT_EQ(g.rect, (Rect{10 * d, 360, 7, 11}));
    EXPECT_TRUE(g.transparent);
    EXPECT_FALSE(g.visibleAtStart);
  }
}

TEST(Layout, PictureKinds) {
  std::set<std::string_view> jpegs, none;
  for (const ComponentInfo& c : kLayout) {
    if (c.kind == PictureKind::Jpeg) jpegs.insert(c.name);
    if (c.kind == PictureKind::None) none.insert(c.name);
  }
  EXPECT_EQ(jpegs,
            (std::set<std::string_view>{"Im_Base", "Puls_PenguinAttack", "Puls_PenguinLeft",
                                        "Puls_PenguinRight", "Puls_SealAttack", "Puls_SealLeft",
                                        "Puls_SealRight", "Puls_On", "Puls_Off"}));
  EXPECT_EQ(none.size(), 13u);  // three buttons, two top layers, eight score slots
  EXPECT_EQ(Info(Im_ScreenLeft).kind, PictureKind::Bitmap8);
  EXPECT_EQ(Info(Im_ScreenRight).kind, PictureKind::Bitmap8);
  EXPECT_FALSE(Info(Puls_On).visibleAtStart);
  EXPECT_FALSE(Info(Puls_Off).visibleAtStart);
  EXPECT_EQ(Info(Puls_On).z, 74);
  EXPECT_EQ(Info(Puls_Off).z, 11);
}

TEST(Layout, OpaqueSegmentsAreTheTwentyTwo) {
  std::set<std::string_view> opaque;
  for (const ComponentInfo& c : kLayout)
    if (IsSegment(c) && !c.transparent) opaque.insert(c.name);
  EXPECT_EQ(opaque,
            (std::set<std::string_view>{
                "Im_VultureP1", "Im_VultureP2", "Im_VultureP3", "Im_VultureP4", "Im_S_EatP2",
                "Im_P_EatP2",   "Im_BombP21",   "Im_BombP41",   "Im_Pengo2B",   "Im_Pengo3B",
                "Im_Pengo4B",   "Im_VultureS1", "Im_VultureS2", "Im_VultureS3", "Im_VultureS4",
                "Im_BombS41",   "Im_BombS24",   "Im_BlockS3",   "Im_BlockS1B",  "Im_Seal2B",
                "Im_Seal3B",    "Im_S_EatS2"}));
}

TEST(Layout, MouseCursorsAndHints) {
  std::set<std::string_view> drag, click;
  for (const ComponentInfo& c : kLayout) {
    if (c.mouse == Mouse::Drag) drag.insert(c.name);
    if (c.mouse == Mouse::Click) click.insert(c.name);
  }
  EXPECT_EQ(drag,
            (std::set<std::string_view>{"Im_Base", "Puls_PenguinAttack", "Puls_PenguinLeft",
                                        "Puls_PenguinRight", "Puls_SealAttack", "Puls_SealLeft",
                                        "Puls_SealRight", "Im_ScreenLeftTop", "Im_ScreeRightTop"}));
  EXPECT_EQ(click, (std::set<std::string_view>{"Puls_Power", "Puls_Select", "Puls_Sound"}));
  for (Component c : {Puls_Power, Puls_Select, Puls_Sound}) EXPECT_EQ(Info(c).cursor, Cursor::Hand);
  for (Component c : {Puls_PenguinAttack, Puls_SealRight, Im_NumPosPS1, Im_NumPosSP2})
    EXPECT_EQ(Info(c).cursor, Cursor::Help);
  EXPECT_EQ(Info(Im_Base).cursor, Cursor::Arrow);
  EXPECT_EQ(Info(Puls_PenguinAttack).hint, "Use 'SHIFT' key to start or to attack");
  EXPECT_EQ(Info(Puls_SealLeft).hint, "Use left-arrow key to move left");
  EXPECT_EQ(Info(Puls_Power).hint, "Press to turn game on");
  EXPECT_EQ(Info(Puls_Select).hint, "Press to select 2-players game");
  EXPECT_EQ(Info(Puls_Sound).hint, "Press to turn sound off");
  EXPECT_EQ(Info(Im_NumPosSS1).hint, "Seal's score");
  EXPECT_EQ(Info(Im_NumPosPP2).hint, "Penguin's score");
  int hinted = 0;
  for (const ComponentInfo& c : kLayout) hinted += !c.hint.empty();
  EXPECT_EQ(hinted, 17);
}

TEST(Layout, EdgeCaseGeometry) {
  // The raised arm lies above the bomb at the penguin's feet and below the body.
  EXPECT_LT(Info(Im_BombP35).z, Info(Im_Pengo3B).z);
  EXPECT_LT(Info(Im_Pengo3B).z, Info(Im_Pengo3).z);
  EXPECT_TRUE(Info(Im_Pengo3B).rect.Intersects(Info(Im_BombP35).rect));
  EXPECT_TRUE(Info(Im_Pengo4B).rect.Intersects(Info(Im_BombP45).rect));
  EXPECT_TRUE(Info(Im_Pengo4B).rect.Intersects(Info(Im_BlockP4).rect));
  EXPECT_TRUE(Info(Im_Seal3B).rect.Intersects(Info(Im_BombS35).rect));
  EXPECT_LT(Info(Im_VultureP1).z, Info(Im_BombP11).z);
  EXPECT_LT(Info(Im_VultureS1).z, Info(Im_BombS11).z);
  EXPECT_EQ(FindComponent("Im_BombP35"), Im_BombP35);
  EXPECT_EQ(FindComponent("Im_Nothing"), std::nullopt);
}

}  // namespace
}  // namespace floemark::panel
