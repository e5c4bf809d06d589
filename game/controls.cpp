// The six keys of the two players.
#include "game/form1.h"
#include "game/keys.h"
#include "game/sides.h"

namespace floemark {

void TForm1::FormKeyDown(std::uint16_t key) {
  for (const KeyInfo& k : kKeys) {
    if (key != k.code) continue;
    // The indicator shows the key pressed in, whatever the console is doing.
    Components.SetVisible(k.indicator, false);
    if (k.action == KeyAction::Attack)
      StartOrAttack(k.player);
    else
      Step(k.player, static_cast<int>(k.action));
    return;
  }
}

void TForm1::FormKeyUp(std::uint16_t key) {
  for (const KeyInfo& k : kKeys) {
    if (key != k.code) continue;
    Components.SetVisible(k.indicator, true);
    // One latch for all three keys of a player: releasing any of them frees it.
    KeyLatch[k.player] = false;
    return;
  }
}

void TForm1::Attack(int p) {
  if (!IsPlayer(p) || !InputEnabled[p] || KeyLatch[p]) return;
  // The press counts even when it finds nothing to do: a held SHIFT never acts twice.
  KeyLatch[p] = true;
  if (PlayerPos[p] == 1 && Shown(kSides[p].supply) && HandsEmpty[p]) TakeIce(p);
  if (HeldBomb[p] != 0) {
    // The keys stay shut while the arm is up; the arm timer opens them again.
    InputEnabled[p] = false;
    Throw(p);
  }
}

void TForm1::Throw(int p) {
  const auto& figure = CharSegments[p][PlayerPos[p]];
  Hide(figure[1]);
  Show(figure[2]);
  RimandaBomba(HeldBomb[p]);
  if (ArmTimer[p] != nullptr) ArmTimer[p]->SetEnabled(true);
}

void TForm1::Step(int p, int direction) {
  if (!IsPlayer(p) || direction == 0 || !InputEnabled[p] || KeyLatch[p]) return;
  const int d = direction < 0 ? -1 : +1;
  // Against the end of the screen the press is not taken at all, so the latch stays free and
  // another key of the same player still acts while this one is held.
  if (d < 0 ? PlayerPos[p] <= 1 : PlayerPos[p] >= 5) return;
  KeyLatch[p] = true;
  // A bomb is held only in the three rolling lanes; a holder bumping into their edge uses up
  // the press without moving.
  if (HeldBomb[p] != 0 && (d < 0 ? PlayerPos[p] <= 2 : PlayerPos[p] >= 4)) return;
  MoveChar(p, d);
  FollowOrCatch(p);
  if (!HandsEmpty[p]) CarryIce(p);
}

void TForm1::FollowOrCatch(int p) {
  if (!IsPlayer(p)) return;
  const int held = HeldBomb[p];
  if (IsBomb(held)) {
    // The bomb stays in the hands: same cell at the feet, the new lane.
    NascondiBombe(held);
    BombLane[held] = PlayerPos[p];
    MostraBombe(held);
    return;
  }
  if (held != 0) return;
  // Stepping under a bomb that waits at the feet picks it up without a sound.
  CatchAtFeet(p);
}

// When both bombs wait at the feet, both stop and the hands keep bomb 2; bomb 1 is caught when
// the arm comes down.
void TForm1::CatchAtFeet(int p) {
  for (int b = 1; b <= 2; ++b) {
    if (BombLane[b] == PlayerPos[p] && BombCell[b] == kSides[p].catchCell) {
      HeldBomb[p] = b;
      BombRolling[b] = false;
    }
  }
}

void TForm1::RimandaBomba(int b) {
  if (!IsBomb(b)) return;
  // Only a bomb at somebody's feet can be thrown, back up the thrower's screen.
  const int thrower = PlayerCatchingAt(BombCell[b]);
  if (thrower == 0) return;
  NascondiBombe(b);
  BombCell[b] = kSides[thrower].throwCell;
  // Both bombs may have stood on the segment just cleared; every bomb in play is drawn again.
  if (BombInPlay[1]) MostraBombe(1);
  if (BombInPlay[2]) MostraBombe(2);
  BombTarget[b] = kSides[Opponent(thrower)].endCell;
  BombRolling[b] = true;
}

void TForm1::ArmReturn(int p) {
  if (!IsPlayer(p)) return;
  HeldBomb[p] = 0;
  InputEnabled[p] = IsHuman[p];
  const auto& figure = CharSegments[p][PlayerPos[p]];
  Hide(figure[2]);
  Show(figure[1]);
  // While the arm was up the game tick saw full hands and left a bomb arriving at the feet
  // lying there; the free hand takes it now.
  CatchAtFeet(p);
  if (ArmTimer[p] != nullptr) ArmTimer[p]->SetEnabled(false);
}

void TForm1::TimerBraccio1Timer() { ArmReturn(1); }
void TForm1::TimerBraccio2Timer() { ArmReturn(2); }

}  // namespace floemark
