#pragma once
// The players' side of play on the shared scenario console: a test sets the game state
// directly and drives the timers through the virtual clock. A sound error raised by a timer
// handler fails the test, unless the test expects it.

#include <cstdint>
#include <string>
#include <vector>

#include "console_fixture.h"

namespace floemark::testing {

class PlayFixture : public ::testing::Test {
 protected:
  // files: the cue files in the scratch working directory. FormCreate runs at once.
  explicit PlayFixture(const std::vector<std::string>& files = kAllCues)
      : dir_(files), clock(console_.clock), sounds(console_.sounds), form(console_.f()) {}

  // The channel operations since the log was last cleared, as "StopChannel MPlayer_Tempo".
  std::vector<std::string> SoundOps() const { return sounds.Since(0); }

  void RunTo(std::int64_t t) {
    clock.RunThrough(t, [this](TimerId id) { form.OnTimer(id); });
  }
  void RunFor(std::int64_t ms) { RunTo(clock.Now() + ms); }

  // Play in progress, both sides free, players drawn at their round start (penguin 4, seal 2),
  // hands empty, no bomb on the screens and no timer running.
  void Playing(bool penguinHuman = true, bool sealHuman = true) {
    form.PowerOn = true;
    form.GameRunning = true;
    for (int p = 1; p <= 2; ++p) {
      form.IsHuman[p] = p == 1 ? penguinHuman : sealHuman;
      form.InputEnabled[p] = form.IsHuman[p];
      form.KeyLatch[p] = !form.IsHuman[p];
      form.HandsEmpty[p] = true;
      form.HeldBomb[p] = 0;
    }
    for (int b = 1; b <= 2; ++b) {
      form.NascondiBombe(b);
      form.BombInPlay[b] = false;
      form.BombRolling[b] = false;
      form.BombCell[b] = 0;
      form.BombLane[b] = 0;
    }
    form.GameMode = !penguinHuman ? PlayMode::ComputerPenguin
                    : !sealHuman  ? PlayMode::ComputerSeal
                                  : PlayMode::TwoPeople;
    PlacePlayer(form, 1, 4);
    PlacePlayer(form, 2, 2);
    form.WallLane = 3;
    form.MostraDisturbi(3);
  }

  // A carried ice block at the player's position.
  void Carrying(int p) {
    form.HandsEmpty[p] = false;
    form.IcePos[p] = form.PlayerPos[p];
    form.MostraGhiaccio(p);
  }

  void ShowSupply() {
    form.Show(panel::Im_BlockP1A);
    form.Show(panel::Im_BlockS5A);
  }

  bool Shown(panel::Segment s) const { return form.Shown(s); }
  void Down(std::uint16_t key) { form.FormKeyDown(key); }
  void Up(std::uint16_t key) { form.FormKeyUp(key); }
  void Tap(std::uint16_t key) {
    Down(key);
    Up(key);
  }

 private:
  ScratchDir dir_;  // before the console: its creation loads the files

 protected:
  Console console_;
  VirtualClock& clock;
  SoundLog& sounds;
  TForm1& form;
};

}  // namespace floemark::testing
