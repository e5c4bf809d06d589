#pragma once
// The game state of one console, as the handlers leave it between events. Per-player arrays
// are indexed 1 (penguin) and 2 (seal), per-bomb arrays 1 and 2; element 0 is unused. Start
// values as at power-up of the handheld. TForm1 is this state with its handlers; tests and
// the trace read it, and a test may set it directly.

#include <cstdint>

#include "base/timer.h"

namespace floemark {

// Who plays: two people, or the computer on one side.
enum class PlayMode : std::uint8_t { TwoPeople = 0, ComputerPenguin = 1, ComputerSeal = 2 };
// The player the computer plays (1 penguin, 2 seal), 0 when two people play.
inline constexpr int ComputerPlayer(PlayMode m) {
  return m == PlayMode::ComputerPenguin ? 1 : m == PlayMode::ComputerSeal ? 2 : 0;
}

struct ConsoleState {
  std::int32_t PlayerPos[3] = {};
  Timer* ArmTimer[3] = {};
  std::int32_t WallLane = 0;
  std::int32_t VultureCell = 0;
  std::int32_t VultureLane = 0;
  std::int32_t VultureBomb = 0;
  std::int32_t BombCell[3] = {};
  std::int32_t BombLane[3] = {};
  bool BombRolling[3] = {};
  bool BombPickedUp[3] = {};
  bool BombInPlay[3] = {};
  std::int32_t HeldBomb[3] = {};
  std::int32_t IcePos[3] = {};
  bool HandsEmpty[3] = {};
  std::int32_t LadderHeight[3] = {};
  bool PowerOn = false;
  bool TwoPlayers = false;
  bool SoundOn = false;  // true only once FormCreate has loaded every channel
  bool GameRunning = false;
  bool InputEnabled[3] = {};
  bool IsHuman[3] = {};
  bool KeyLatch[3] = {};
  PlayMode GameMode = PlayMode::TwoPeople;
  std::int32_t Score[3] = {};
  std::int32_t BonusStep = 0;
  std::int32_t MovingBomb = 0;
  std::int32_t BombTarget[3] = {};
  std::int32_t ErrorStep = 0;
};

}  // namespace floemark
