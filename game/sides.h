#pragma once
// The two players' sides of the handheld, once each. The console is one scene drawn twice in
// mirror image: the penguin's screen numbers its bomb cells down toward its feet (1, then the
// explosion at 0), the seal's up (10, then 11), and every handler that treats the players alike
// reads its numbers and pictures from here instead of writing them out twice.

#include "panel/segment_tables.h"

namespace floemark {

inline constexpr int kPenguin = 1, kSeal = 2;
inline constexpr int kPlayers[] = {kPenguin, kSeal};

inline constexpr bool IsPlayer(int p) { return p == kPenguin || p == kSeal; }
inline constexpr bool IsBomb(int b) { return b == 1 || b == 2; }
inline constexpr int Opponent(int p) { return 3 - p; }

struct Side {
  // Bomb cells on this player's screen.
  int catchCell;  // at the player's feet
  int endCell;    // the explosion at the player's end
  int throwCell;  // a thrown bomb lands here; a bomb rolling at the player passes here last
  int topCell;    // the top of the screen, where the vulture flies over it
  int up;         // the step from one cell to the next up this screen: +1 or -1
  // Just below the top: a bomb dropped over this screen starts here, and one that climbs the
  // screen into it under the wall turns back.
  int belowTop;

  // The vulture's pass over this screen: its first lane and the lane it moves by per flap.
  int passFirstLane, passStep;

  panel::Segment supply;   // the ice supply as this screen shows it
  panel::Segment loss[2];  // the defeat pictures: on the player's screen, then on the other
  // The bonus, as the builder: the body at the ladder end, the climb, and the two bites,
  // each drawn on the builder's screen and on the opponent's.
  panel::Segment body5, lift, eat1Own, eat1Opp, eat2Own, eat2Opp;
};

inline constexpr Side kSides[3] = {
    {},
    {1,
     0,
     2,
     5,
     +1,
     4,
     1,
     +1,
     panel::Im_BlockP1A,
     {panel::Im_P_DieP, panel::Im_P_DieS},
     panel::Im_Pengo5,
     panel::Im_P_Lift,
     panel::Im_P_EatP1,
     panel::Im_P_EatS1,
     panel::Im_P_EatP2,
     panel::Im_P_EatS2},
    {10,
     11,
     9,
     6,
     -1,
     7,
     5,
     -1,
     panel::Im_BlockS5A,
     {panel::Im_S_DieS, panel::Im_S_DieP},
     panel::Im_Seal1,
     panel::Im_S_Lift,
     panel::Im_S_EatS1,
     panel::Im_S_EatP1,
     panel::Im_S_EatS2,
     panel::Im_S_EatP2},
};

// The explosion at either end.
inline constexpr bool IsEndCell(int cell) {
  return cell == kSides[kPenguin].endCell || cell == kSides[kSeal].endCell;
}

// The player at whose feet a bomb in this cell lies, or 0.
inline constexpr int PlayerCatchingAt(int cell) {
  return cell == kSides[kPenguin].catchCell ? kPenguin
         : cell == kSides[kSeal].catchCell  ? kSeal
                                            : 0;
}

// The side whose screen the vulture flies over at cell, or 0 when none.
inline constexpr int SideUnderVulture(int cell) {
  return cell == kSides[kPenguin].topCell ? kPenguin : cell == kSides[kSeal].topCell ? kSeal : 0;
}

}  // namespace floemark
