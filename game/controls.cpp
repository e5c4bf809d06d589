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

void TForm1::Attack(int) {}
void TForm1::Step(int, int) {}
void TForm1::RimandaBomba(int) {}
void TForm1::FollowOrCatch(int) {}
void TForm1::ArmReturn(int) {}
void TForm1::TimerBraccio1Timer() { ArmReturn(1); }
void TForm1::TimerBraccio2Timer() { ArmReturn(2); }

}  // namespace floemark
