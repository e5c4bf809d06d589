// The computer opponent: a fixed list of rules, one decision per tick of TimerIA, one action per
// decision. It sees the bombs only as the segments showing on its own half, as a person would.
#include "game/form1.h"
#include "game/sides.h"

namespace floemark {
namespace {

// The lane of the nearest bomb showing on the computer's half: nearest cell first, and within a
// cell lane 2, 3, 4. The top cell, the explosions and the vulture's bomb are not looked at.
// 0 when none shows.
int NearestBombLane(const TForm1& f, int c) {
  for (int k = 0; k < 4; ++k) {
    const int cell = kSides[c].catchCell + k * kSides[c].up;
    for (int lane = 2; lane <= 4; ++lane)
      if (f.Shown(f.BombSegments[lane][cell])) return lane;
  }
  return 0;
}
}  // namespace

void TForm1::TimerIATimer() { Proc_IA(); }

void TForm1::Proc_IA() {
  const int c = ComputerPlayer(GameMode);
  if (c == 0) return;
  // 1. A held bomb goes back at once. The arm is down again before the next decision.
  if (HeldBomb[c] != 0) {
    Throw(c);
    return;
  }
  // 2. Chase the nearest bomb showing; under it, wait.
  if (const int lane = NearestBombLane(*this, c); lane != 0) {
    if (lane == PlayerPos[c]) return;
    MoveChar(c, lane > PlayerPos[c] ? +1 : -1);
    if (!HandsEmpty[c]) CarryIce(c);
    FollowOrCatch(c);
    return;
  }
  // 3. Carry a block to the ladder. Only a stack cut short by a sound error can leave a carrier
  // at the ladder end; it waits there rather than walk off the screen.
  if (!HandsEmpty[c]) {
    if (PlayerPos[c] >= 5) return;
    MoveChar(c, +1);
    CarryIce(c);
    return;
  }
  // 4. Fetch a block from the supply.
  if (Shown(kSides[c].supply)) {
    if (PlayerPos[c] == 1)
      TakeIce(c);
    else if (PlayerPos[c] > 1)
      MoveChar(c, -1);
  }
}

}  // namespace floemark
