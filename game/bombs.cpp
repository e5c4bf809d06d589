// The bombs and the vulture.
#include "game/form1.h"
#include "game/sides.h"

namespace floemark {

void TForm1::RedrawBombs() {
  MostraBombe(1);
  if (BombInPlay[2]) MostraBombe(2);
}

// The empty vulture takes back a bomb that has just climbed to the top cell of the screen it
// is over, in its own lane.
bool TForm1::SnatchIfUnder(int m, int topCell) {
  if (BombCell[m] != topCell || VultureBomb != 0 || VultureCell != topCell ||
      VultureLane != BombLane[m])
    return false;
  VultureBomb = m;
  BombRolling[m] = false;
  BombPickedUp[m] = true;
  return true;
}

// The two bombs take turns, so a rolling bomb moves every second tick.
void TForm1::TimerGiocoTimer() {
  MovingBomb = MovingBomb == 1 ? 2 : 1;
  const int m = MovingBomb;
  if (!BombRolling[m]) return;
  bool endReached = false;
  bool caught = false;
  // A player whose hands are full can't catch: the bomb jumps straight to the explosion.
  for (int p : kPlayers) {
    const Side& side = kSides[p];
    if (BombCell[m] == side.throwCell && BombTarget[m] == side.endCell &&
        BombLane[m] == PlayerPos[p] && HeldBomb[p] != 0) {
      NascondiBombe(m);
      BombCell[m] = side.endCell;
      MostraBombe(m);
      endReached = true;
    }
  }
  if (!endReached && BombCell[m] != BombTarget[m]) {
    // On its way to one end a bomb first climbs the other player's screen, toward the wall and
    // the vulture at its top: into the wall, it rolls back from its next move on.
    const int step = BombCell[m] > BombTarget[m] ? -1 : +1;
    const Side& climbed = kSides[step < 0 ? kSeal : kPenguin];
    NascondiBombe(m);
    BombCell[m] += step;
    RedrawBombs();
    if (BombCell[m] == climbed.belowTop && BombLane[m] == WallLane) BombTarget[m] = climbed.endCell;
    caught = SnatchIfUnder(m, climbed.topCell);
  }
  for (int p : kPlayers) {
    if (!endReached && BombCell[m] == kSides[p].catchCell && BombLane[m] == PlayerPos[p] &&
        HeldBomb[p] == 0) {
      HeldBomb[p] = m;
      BombRolling[m] = false;
      caught = true;
    }
  }
  if (BombCell[m] == BombTarget[m] && IsEndCell(BombCell[m])) endReached = true;
  if (SoundOn) {
    MPlayer_Block.StopChannel();
    if (caught)
      MPlayer_Got.PlayCue();
    else
      MPlayer_Tempo.PlayCue();
  }
  if (endReached) ProcErrore();
}

// At an inner place the carried bomb drops with chance 1, 2 or 3 in 3 along the pass, unless
// the vulture snatched it during this pass.
void TForm1::DropIfDue() {
  const int b = VultureBomb;
  const int over = SideUnderVulture(VultureCell);
  const bool inner = over != 0 && VultureLane >= 2 && VultureLane <= 4;
  if (b == 0 || !inner || BombPickedUp[b]) return;
  const int r = Random(3);
  // The draws that drop it: over the penguin the high ones (lane + r reaching 4), over the seal
  // the low ones (lane + r not past 4).
  if (kSides[over].passStep * (VultureLane + r - 4) < 0) return;
  NascondiBombe(b);
  BombLane[b] = VultureLane;
  BombCell[b] = kSides[over].belowTop;
  BombTarget[b] = kSides[over].endCell;
  BombRolling[b] = true;
  MostraBombe(b);
  VultureBomb = 0;
  MPlayer_Block.StopChannel();
  if (SoundOn) MPlayer_Tempo.PlayCue();
  TimerGioco.SetEnabled(true);
}

void TForm1::Timer_AvvoltoioTimer() {
  NascondiAvvoltoio();
  if (VultureBomb != 0) NascondiBombe(VultureBomb);
  bool turned = false;
  // Past the last lane of its pass over one screen the vulture turns over the other one.
  if (const int over = SideUnderVulture(VultureCell); over != 0) {
    VultureLane += kSides[over].passStep;
    const Side& next = kSides[Opponent(over)];
    if (VultureLane == next.passFirstLane) {
      VultureCell = next.topCell;
      turned = true;
    }
  }
  if (turned) {
    BombPickedUp[1] = false;
    BombPickedUp[2] = false;
    // The first turn of a round brings bomb 2; later turns bring nothing.
    if (!BombInPlay[2]) {
      BombInPlay[2] = true;
      VultureBomb = 2;
    }
  }
  MostraAvvoltoio();
  DropIfDue();
  if (VultureBomb != 0) {
    BombLane[VultureBomb] = VultureLane;
    BombCell[VultureBomb] = VultureCell;
    MostraBombe(VultureBomb);
  }
}

}  // namespace floemark
