// The segments of the penguin's (left) screen: the penguin at its five positions, the bombs
// climbing the three lanes toward the top, the vulture along the top edge, the ice supply at the
// left end and the ladder at the right end.
#include "tools/artgen/lcd_figures.h"
#include "tools/artgen/lcd_props.h"
#include "tools/artgen/lcd_screens.h"

namespace floemark::artgen {

using namespace panel;

namespace {

struct BombCell {
  Component segment;
  int cell;  // 1 at the penguin's feet, 5 at the top
};
constexpr BombCell kBombs[] = {
    {Im_BombP11, 5}, {Im_BombP21, 5}, {Im_BombP31, 5}, {Im_BombP41, 5},
    {Im_BombP22, 4}, {Im_BombP32, 4}, {Im_BombP42, 4}, {Im_BombP23, 3},
    {Im_BombP33, 3}, {Im_BombP43, 3}, {Im_BombP24, 2}, {Im_BombP34, 2},
    {Im_BombP44, 2}, {Im_BombP25, 1}, {Im_BombP35, 1}, {Im_BombP45, 1},
};

// Where the penguin stands in each body segment: feet on the bottom row of the rectangle.
constexpr Place kPengo1{3, 3}, kPengo2{0, 1}, kPengo3{3, 1}, kPengo4{0, 2};
constexpr Place kPengo5{26, 2, 1, true};
constexpr Place kEatP1{1, 3};
// The console row of the edge of the floe the penguin stands on.
constexpr int kFloeEdgeRow = 186;
constexpr Place kSealEatP1{23.5, 1, 1, true};

// The raised flipper rises behind the head: a pixel of grey around the head keeps the two apart.
void DrawRaisedArm(Canvas& k, Component arm, Component body, const Place& place) {
  DrawRaisedFlipper(k);
  Canvas head = CanvasFor(arm, k.scale());
  DrawPenguin(head, From(arm, body, place), Pose::Playing);
  k.ClearAround(head);
}

}  // namespace

bool DrawPenguinScreenSegment(Component c, Canvas& k) {
  for (const BombCell& b : kBombs) {
    if (b.segment == c) {
      DrawBomb(k, BombSize(b.cell), false);
      return true;
    }
  }
  switch (c) {
    // Wings up over the opaque bombs it carries at P2 and P4: a lowered wing would be cut
    // off by the bomb's grey rectangle.
    case Im_VultureP2:
    case Im_VultureP4:
      DrawVulture(k, true);
      return true;
    case Im_VultureP1:
    case Im_VultureP3:
      DrawVulture(k, false);
      return true;
    case Im_S_WallP2:
    case Im_S_WallP3:
    case Im_S_WallP4:
      DrawWall(k, true);
      return true;
    case Im_BlockP1A:
    case Im_BlockP1B:
    case Im_BlockP2:
    case Im_BlockP3:
    case Im_BlockP4:
    case Im_BlockP5B:
    case Im_BlockP5C:
      DrawIceBlock(k, true);
      return true;
    case Im_BlockP5A:
      // The foot of the ladder: its rectangle reaches a row past the edge of the floe, so the
      // block stops where the penguins' feet do, on the row above the edge.
      DrawIceBlock(k, true, kFloeEdgeRow - Info(c).rect.top);
      return true;
    case Im_Pengo1:
      DrawPenguin(k, kPengo1, Pose::FlipperDown);
      return true;
    case Im_Pengo2:
      DrawPenguin(k, kPengo2, Pose::Playing);
      DrawShoulder(k, c, Im_Pengo2A);
      return true;
    case Im_Pengo3:
      DrawPenguin(k, kPengo3, Pose::Playing);
      DrawShoulder(k, c, Im_Pengo3A);
      return true;
    case Im_Pengo4:
      DrawPenguin(k, kPengo4, Pose::Playing);
      DrawShoulder(k, c, Im_Pengo4A);
      return true;
    case Im_Pengo5:
      DrawPenguin(k, kPengo5, Pose::FlipperDown);
      return true;
    case Im_Pengo2A:
    case Im_Pengo3A:
    case Im_Pengo4A:
      DrawRestingFlipper(k);
      return true;
    case Im_Pengo2B:
      DrawRaisedArm(k, c, Im_Pengo2, kPengo2);
      return true;
    case Im_Pengo3B:
      DrawRaisedArm(k, c, Im_Pengo3, kPengo3);
      return true;
    case Im_Pengo4B:
      DrawRaisedArm(k, c, Im_Pengo4, kPengo4);
      return true;
    case Im_P_Lift:
      DrawPenguin(k, {1, 1}, Pose::Cheering);
      FillAcrossHorizon(k, c);
      return true;
    case Im_P_EatP1:
      DrawPenguin(k, kEatP1, Pose::Feasting);
      return true;
    case Im_P_EatP2:
      // The second picture lies over the head of the first: it carries the head along with the
      // fish going down the beak, tail first in the air.
      DrawPenguin(k, From(c, Im_P_EatP1, kEatP1), Pose::Feasting);
      k.SetPlace(From(c, Im_P_EatP1, kEatP1));
      DrawFish(k, {1.5, 1}, {-2, -5.5}, 4);
      return true;
    case Im_S_EatP1:
      DrawSeal(k, kSealEatP1, Pose::Feasting);
      return true;
    case Im_S_EatP2:
      // The fish caught by the head, hanging from the snout, with the seal's own pixels there.
      DrawSeal(k, From(c, Im_S_EatP1, kSealEatP1), Pose::Feasting);
      DrawFish(k, {2.5, 0.2}, {2.5, 6.5}, 3.6);
      return true;
    case Im_P_DieP:
      DrawKnockedOut(k, c, false, false);
      return true;
    case Im_S_DieP:
      DrawKnockedOut(k, c, true, true);
      return true;
    case Im_P_Bang:
      DrawExplosion(k);
      return true;
    default:
      return false;
  }
}

}  // namespace floemark::artgen
