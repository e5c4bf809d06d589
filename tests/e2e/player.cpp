#include "player.h"

namespace floemark::e2e {

using namespace panel;

namespace {
constexpr int kHoldMs = 90;
int FeetCell(int player) { return player == 1 ? 1 : 10; }
}  // namespace

bool Player::Holding(const Lcd& lcd, int pos) const {
  return pos >= 2 && pos <= 4 && lcd.Shown(Tables().BombSegments[pos][FeetCell(p_)]);
}

bool Player::Carrying(const Lcd& lcd) const {
  for (int pos = 1; pos <= 4; ++pos)
    if (lcd.Shown(Tables().IceSegments[p_][pos])) return true;
  return false;
}

int Player::BombLane(const Lcd& lcd) const {
  int best = 0, best_distance = 99;
  const bool just_thrown = MsSince(thrown_at_) < 1500;
  for (auto [lane, cell] : lcd.Bombs()) {
    const bool mine = p_ == 1 ? cell <= 5 : cell >= 6;
    if (!mine || (just_thrown && lane == thrown_lane_)) continue;
    const int distance = p_ == 1 ? cell - 1 : 10 - cell;
    if (distance < best_distance) best_distance = distance, best = lane;
  }
  return best;
}

void Player::Step(Context& ctx, int pos, int target) {
  ctx.person.Press(target > pos ? kKeys[p_].to_ladder : kKeys[p_].to_supply, kHoldMs);
  ++steps_;
}

void Player::Throw(Context& ctx, int pos) {
  const Component raised = Tables().CharSegments[p_][pos][2];
  ctx.person.Press(kKeys[p_].attack, kHoldMs);
  if (WaitFor(ctx, 400, [&] { return ctx.lcd.Shown(raised) || !Holding(ctx.lcd, pos); })) {
    ++throws_;
    thrown_lane_ = pos;
    thrown_at_ = Clock::now();
  }
}

bool Player::Act(Context& ctx, Aim aim) {
  const Lcd& lcd = ctx.lcd;
  const int pos = lcd.Position(p_);
  if (pos <= 0 || lcd.Exploded()) return false;
  const bool raised = pos >= 2 && pos <= 4 && lcd.Shown(Tables().CharSegments[p_][pos][2]);
  if (raised) return false;
  if (Holding(lcd, pos)) {
    Throw(ctx, pos);
    return true;
  }
  int target = 0;
  if (aim == Aim::kLose) {
    target = 5;  // no bomb rolls in the ladder end's lane
  } else if (aim == Aim::kBuild && Carrying(lcd)) {
    target = 5;
  } else if (aim == Aim::kBuild && lcd.Shown(p_ == 1 ? Im_BlockP1A : Im_BlockS5A)) {
    if (pos == 1) {
      ctx.person.Press(kKeys[p_].attack, kHoldMs);
      return true;
    }
    target = 1;
  } else {
    target = BombLane(lcd);
    if (target == 0) target = 3;
  }
  if (target == pos) return false;
  Step(ctx, pos, target);
  return true;
}

}  // namespace floemark::e2e
