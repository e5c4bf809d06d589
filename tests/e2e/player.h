#pragma once
// A person's way of playing one side, from what the LCD shows: follow the bomb nearest the feet
// and throw it back, keep out of every rolling lane to lose on purpose, or fetch ice for the
// ladder. Each call makes at most one key press, as a person does.

#include "scenario.h"

namespace floemark::e2e {

enum class Aim { kCatch, kLose, kBuild };

class Player {
 public:
  explicit Player(int player) : p_(player) {}
  // Looks at the LCD just grabbed and presses one key, or none; true when a key was pressed.
  bool Act(Context& ctx, Aim aim);
  int throws() const { return throws_; }
  int steps() const { return steps_; }

 private:
  bool Holding(const Lcd& lcd, int pos) const;
  bool Carrying(const Lcd& lcd) const;
  int BombLane(const Lcd& lcd) const;  // lane of the bomb to catch, 0 for none
  void Step(Context& ctx, int pos, int target);
  void Throw(Context& ctx, int pos);

  int p_;
  int throws_ = 0, steps_ = 0;
  int thrown_lane_ = 0;
  Clock::time_point thrown_at_{};
};

}  // namespace floemark::e2e
