// The bombs and the vulture.
#include "game/form1.h"

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
  if (BombCell[m] == 2 && BombTarget[m] == 0 && BombLane[m] == PlayerPos[1] && HeldBomb[1] != 0) {
    NascondiBombe(m);
    BombCell[m] = 0;
    MostraBombe(m);
    endReached = true;
  }
  if (BombCell[m] == 9 && BombTarget[m] == 11 && BombLane[m] == PlayerPos[2] && HeldBomb[2] != 0) {
    NascondiBombe(m);
    BombCell[m] = 11;
    MostraBombe(m);
    endReached = true;
  }
  bool moved = false;
  if (!endReached && BombCell[m] > BombTarget[m]) {
    NascondiBombe(m);
    --BombCell[m];
    RedrawBombs();
    moved = true;
    // Climbing the seal's screen into the wall: it rolls back from its next move on.
    if (BombCell[m] == 7 && BombLane[m] == WallLane) BombTarget[m] = 11;
    caught = SnatchIfUnder(m, 6);
  }
  if (!moved && !endReached && BombCell[m] < BombTarget[m]) {
    NascondiBombe(m);
    ++BombCell[m];
    RedrawBombs();
    if (BombCell[m] == 4 && BombLane[m] == WallLane) BombTarget[m] = 0;
    caught = SnatchIfUnder(m, 5);
  }
  if (!endReached && BombCell[m] == 1 && BombLane[m] == PlayerPos[1] && HeldBomb[1] == 0) {
    HeldBomb[1] = m;
    BombRolling[m] = false;
    caught = true;
  }
  if (!endReached && BombCell[m] == 10 && BombLane[m] == PlayerPos[2] && HeldBomb[2] == 0) {
    HeldBomb[2] = m;
    BombRolling[m] = false;
    caught = true;
  }
  if (BombCell[m] == BombTarget[m] && (BombCell[m] == 0 || BombCell[m] == 11)) endReached = true;
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
  const bool overPenguin = VultureCell == 5;
  const bool inner = (VultureCell == 5 || VultureCell == 6) && VultureLane >= 2 && VultureLane <= 4;
  if (b == 0 || !inner || BombPickedUp[b]) return;
  const int r = Random(3);
  if (overPenguin ? r + VultureLane < 4 : r + VultureLane > 4) return;
  NascondiBombe(b);
  BombLane[b] = VultureLane;
  BombCell[b] = overPenguin ? 4 : 7;
  BombTarget[b] = overPenguin ? 0 : 11;
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
  if (VultureCell == 5) {
    if (++VultureLane == 5) {
      VultureCell = 6;
      turned = true;
    }
  } else if (VultureCell == 6) {
    if (--VultureLane == 1) {
      VultureCell = 5;
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
