// The segments of the seal's (right) screen. The screen mirrors the penguin's: its lanes are
// numbered from the right, the ladder stands at the left end and the ice supply at the right.
#include "tools/artgen/lcd_figures.h"
#include "tools/artgen/lcd_props.h"
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

using namespace panel;

namespace {

struct BombCell {
  Component segment;
  int cell;  // 6 at the top, 10 at the seal's feet
};
constexpr BombCell kBombs[] = {
    {Im_BombS11, 6}, {Im_BombS21, 6},  {Im_BombS31, 6},  {Im_BombS41, 6},
    {Im_BombS22, 7}, {Im_BombS32, 7},  {Im_BombS42, 7},  {Im_BombS23, 8},
    {Im_BombS33, 8}, {Im_BombS43, 8},  {Im_BombS24, 9},  {Im_BombS34, 9},
    {Im_BombS44, 9}, {Im_BombS25, 10}, {Im_BombS35, 10}, {Im_BombS45, 10},
};

constexpr Place kSeal1{1, 6}, kSeal2{0, 0}, kSeal3{1, -1}, kSeal4{0, 0};
// Position 1 is up on the ice shelf at the supply end, a little smaller for the room above it.
constexpr Place kSeal5{24, 0.1, 0.92, true};
constexpr Place kEatS1{23, 2, 1, true};
constexpr Place kPenguinEatS1{3, 0.6, 0.9};

// The raised flipper rises behind the head: a pixel of grey around the head keeps the two apart.
void DrawRaisedArm(Canvas& k, Component arm, Component body, const Place& place) {
  DrawRaisedFlipper(k);
  Canvas head = CanvasFor(arm, k.scale());
  DrawSeal(head, From(arm, body, place), Pose::Playing);
  k.ClearAround(head);
}

}  // namespace

bool DrawSealScreenSegment(Component c, Canvas& k) {
  for (const BombCell& b : kBombs) {
    if (b.segment == c) {
      DrawBomb(k, BombSize(11 - b.cell), false);
      return true;
    }
  }
  switch (c) {
    // Wings up at S4, over the opaque bomb it carries there (a lowered wing would be cut off
    // by the bomb's grey rectangle), and so, by the beat of its wings, at S2.
    case Im_VultureS2:
    case Im_VultureS4:
      DrawVulture(k, true);
      return true;
    case Im_VultureS1:
    case Im_VultureS3:
      DrawVulture(k, false);
      return true;
    case Im_P_WallS2:
    case Im_P_WallS3:
    case Im_P_WallS4:
      DrawWall(k, false);
      return true;
    case Im_BlockS1A:
    case Im_BlockS1B:
    case Im_BlockS1C:
    case Im_BlockS2:
    case Im_BlockS3:
    case Im_BlockS4:
    case Im_BlockS5A:
    case Im_BlockS5B:
      DrawIceBlock(k, false);
      return true;
    case Im_Seal1:
      DrawSeal(k, kSeal1, Pose::FlipperDown);
      return true;
    case Im_Seal2:
      DrawSeal(k, kSeal2, Pose::Playing);
      DrawShoulder(k, c, Im_Seal2A);
      return true;
    case Im_Seal3:
      DrawSeal(k, kSeal3, Pose::Playing);
      DrawShoulder(k, c, Im_Seal3A);
      return true;
    case Im_Seal4:
      DrawSeal(k, kSeal4, Pose::Playing);
      DrawShoulder(k, c, Im_Seal4A);
      return true;
    case Im_Seal5:
      DrawSeal(k, kSeal5, Pose::FlipperDown);
      return true;
    case Im_Seal2A:
    case Im_Seal3A:
    case Im_Seal4A:
      DrawRestingFlipper(k);
      return true;
    case Im_Seal2B:
      DrawRaisedArm(k, c, Im_Seal2, kSeal2);
      return true;
    case Im_Seal3B:
      DrawRaisedArm(k, c, Im_Seal3, kSeal3);
      return true;
    case Im_Seal4B:
      DrawRaisedArm(k, c, Im_Seal4, kSeal4);
      return true;
    case Im_S_Lift:
      DrawSeal(k, {1, 3}, Pose::Cheering);
      return true;
    case Im_S_EatS1:
      DrawSeal(k, kEatS1, Pose::Feasting);
      return true;
    case Im_S_EatS2:
      // Over the seal's head: the head again, and the fish tossed up to land on the snout.
      DrawSeal(k, From(c, Im_S_EatS1, kEatS1), Pose::Feasting);
      k.SetPlace(From(c, Im_S_EatS1, kEatS1));
      DrawFish(k, {-1, 0.5}, {6.5, -3.5}, 4);
      return true;
    case Im_P_EatS1:
      DrawPenguin(k, kPenguinEatS1, Pose::Feasting);
      return true;
    case Im_P_EatS2:
      // A fish flipped up toward the open beak.
      DrawFish(k, {6.5, 0.5}, {2.8, 7.5}, 4.2);
      return true;
    case Im_S_DieS:
      DrawKnockedOut(k, c, true, true);
      return true;
    case Im_P_DieS:
      DrawKnockedOut(k, c, false, false);
      return true;
    case Im_S_Bang:
      DrawExplosion(k);
      return true;
    default:
      return false;
  }
}

}  // namespace floemark::artgen
