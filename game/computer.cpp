// The computer opponent: a fixed list of rules, one decision per tick of TimerIA, one action per
// decision. It sees the bombs only as the segments showing on its own half, as a person would.
#include "game/form1.h"

namespace floemark {
namespace {
void StepBy(TForm1& f, int c, int d) {
  f.NascondiChar(c);
  f.PlayerPos[c] += d;
  f.MostraChar(c);
}

// The lane of the nearest bomb showing on the computer's half: nearest cell first, and within a
// cell lane 2, 3, 4. The top cell, the explosions and the vulture's bomb are not looked at.
// 0 when none shows.
int NearestBombLane(const TForm1& f, int c) {
  for (int k = 0; k < 4; ++k) {
    const int cell = c == 1 ? 1 + k : 10 - k;
    for (int lane = 2; lane <= 4; ++lane)
      if (f.Shown(f.BombSegments[lane][cell])) return lane;
  }
  return 0;
}
}  // namespace

void TForm1::TimerIATimer() { Proc_IA(); }

void TForm1::Proc_IA() {
  if (GameMode != 1 && GameMode != 2) return;
  const int c = GameMode;
  // 1. A held bomb goes back at once. The arm is down again before the next decision.
  if (HeldBomb[c] != 0) {
    const auto& figure = CharSegments[c][PlayerPos[c]];
    Hide(figure[1]);
    Show(figure[2]);
    RimandaBomba(HeldBomb[c]);
    if (ArmTimer[c] != nullptr) ArmTimer[c]->SetEnabled(true);
    return;
  }
  // 2. Chase the nearest bomb showing; under it, wait.
  if (const int lane = NearestBombLane(*this, c); lane != 0) {
    if (lane == PlayerPos[c]) return;
    StepBy(*this, c, lane > PlayerPos[c] ? +1 : -1);
    if (!HandsEmpty[c]) CarryIce(c);
    FollowOrCatch(c);
    return;
  }
  // 3. Carry a block to the ladder. Only a stack cut short by a sound error can leave a carrier
  // at the ladder end; it waits there rather than walk off the screen.
  if (!HandsEmpty[c]) {
    if (PlayerPos[c] >= 5) return;
    StepBy(*this, c, +1);
    CarryIce(c);
    return;
  }
  // 4. Fetch a block from the supply.
  if (Shown(c == 1 ? Im_BlockP1A : Im_BlockS5A)) {
    if (PlayerPos[c] == 1)
      TakeIce(c);
    else if (PlayerPos[c] > 1)
      StepBy(*this, c, -1);
  }
}

}  // namespace floemark
