// The six keys of the two players.
#include "game/form1.h"

namespace floemark {
namespace {
struct KeyInfo {
  std::uint16_t code;
  int player;
  int action;  // 0 attack, -1 toward the supply, +1 toward the ladder
  Component indicator;
};
// In the order the key handlers compare them.
constexpr KeyInfo kKeys[] = {
    {vk::Shift, 1, 0, Puls_PenguinAttack}, {vk::Z, 1, -1, Puls_PenguinLeft},
    {vk::C, 1, +1, Puls_PenguinRight},     {vk::Ctrl, 2, 0, Puls_SealAttack},
    {vk::Left, 2, +1, Puls_SealLeft},      {vk::Right, 2, -1, Puls_SealRight},
};
}  // namespace

void TForm1::FormKeyDown(std::uint16_t key) {
  for (const KeyInfo& k : kKeys) {
    if (key != k.code) continue;
    // The indicator shows the key pressed in, whatever the console is doing.
    Components.SetVisible(k.indicator, false);
    if (k.action == 0)
      StartOrAttack(k.player);
    else
      Step(k.player, k.action);
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

namespace {
bool IsPlayer(int p) { return p == 1 || p == 2; }
bool IsBomb(int b) { return b == 1 || b == 2; }
// The bomb cell at a player's feet.
int CatchCell(int p) { return p == 1 ? 1 : 10; }
}  // namespace

void TForm1::Attack(int p) {
  if (!IsPlayer(p) || !InputEnabled[p] || KeyLatch[p]) return;
  // The press counts even when it finds nothing to do: a held SHIFT never acts twice.
  KeyLatch[p] = true;
  const Segment supply = p == 1 ? Im_BlockP1A : Im_BlockS5A;
  if (PlayerPos[p] == 1 && Shown(supply) && HandsEmpty[p]) TakeIce(p);
  if (HeldBomb[p] != 0) {
    // The keys stay shut while the arm is up; the arm timer opens them again.
    InputEnabled[p] = false;
    const auto& figure = CharSegments[p][PlayerPos[p]];
    Hide(figure[1]);
    Show(figure[2]);
    RimandaBomba(HeldBomb[p]);
    if (ArmTimer[p] != nullptr) ArmTimer[p]->SetEnabled(true);
  }
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
  NascondiChar(p);
  PlayerPos[p] += d;
  MostraChar(p);
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
  // Stepping under a bomb that waits at the feet picks it up without a sound. When both wait
  // there, both stop and the hands keep bomb 2; bomb 1 is caught when the arm comes down.
  for (int b = 1; b <= 2; ++b) {
    if (BombLane[b] == PlayerPos[p] && BombCell[b] == CatchCell(p)) {
      HeldBomb[p] = b;
      BombRolling[b] = false;
    }
  }
}

void TForm1::RimandaBomba(int b) {
  if (!IsBomb(b)) return;
  int next, target;
  if (BombCell[b] == 1) {
    next = 2;
    target = 11;
  } else if (BombCell[b] == 10) {
    next = 9;
    target = 0;
  } else {
    return;
  }
  NascondiBombe(b);
  BombCell[b] = next;
  // Both bombs may have stood on the segment just cleared; every bomb in play is drawn again.
  if (BombInPlay[1]) MostraBombe(1);
  if (BombInPlay[2]) MostraBombe(2);
  BombTarget[b] = target;
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
  for (int b = 1; b <= 2; ++b) {
    if (BombCell[b] == CatchCell(p) && BombLane[b] == PlayerPos[p]) {
      HeldBomb[p] = b;
      BombRolling[b] = false;
    }
  }
  if (ArmTimer[p] != nullptr) ArmTimer[p]->SetEnabled(false);
}

void TForm1::TimerBraccio1Timer() { ArmReturn(1); }
void TForm1::TimerBraccio2Timer() { ArmReturn(2); }

}  // namespace floemark
