#pragma once
// A console on a virtual clock, created in a scratch working directory that holds small valid
// sound files, so that every cue plays. Tests set the game state directly and drive the timers
// through RunTo.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/error.h"
#include "game/form1.h"
#include "game/virtual_clock.h"
#include "sound/null_output.h"

namespace floemark::testing {

// A mono 16-bit PCM file of a few milliseconds of silence.
inline void WriteSilentWav(const std::filesystem::path& path, int frames = 400) {
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  const std::uint32_t rate = 8000, bytes = static_cast<std::uint32_t>(frames) * 2;
  out.write("RIFF", 4);
  u32(36 + bytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(bytes);
  for (int i = 0; i < frames; ++i) u16(0);
}

// Every operation asked of the sound channels, as "MPlayer_Music.LoadCue(BONUS.WAV)".
class OpLog : public sound::SoundObserver {
 public:
  void OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) override {
    std::string line = std::string(channel) + "." + std::string(sound::SoundOpName(op));
    if (!file.empty()) line += "(" + std::string(file) + ")";
    ops.push_back(line);
  }
  std::vector<std::string> ops;
};

class PlayFixture : public ::testing::Test {
 protected:
  // The time of day at t = 0 is chosen per test when a draw matters.
  explicit PlayFixture(std::int64_t timeOfDayAtZero = 0)
      : clock(timeOfDayAtZero), audio(clock), sounds(), form(clock, clock, audio) {}

  void SetUp() override {
    namespace fs = std::filesystem;
    char tmpl[] = "/tmp/floemark-play-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    fs::create_directory(dir_ / "SOUND");
    for (const char* name :
         {"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV", "BONUS.WAV", "BOMBED.WAV", "OVER.WAV"})
      if (missing_.find(name) == std::string::npos) WriteSilentWav(dir_ / "SOUND" / name);
    old_ = fs::current_path();
    fs::current_path(dir_);
    try {
      form.FormCreate();
    } catch (const Error& e) {
      createError = e.what();
    }
    for (sound::SoundChannel* ch : form.Channels) ch->SetObserver(&sounds);
  }

  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }

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
    form.GameMode = !penguinHuman ? 1 : !sealHuman ? 2 : 0;
    PlaceAt(1, 4);
    PlaceAt(2, 2);
    form.WallLane = 3;
    form.MostraDisturbi(3);
  }

  void PlaceAt(int p, int pos) {
    form.NascondiChar(p);
    form.PlayerPos[p] = pos;
    form.MostraChar(p);
  }

  // Bomb b in play at (cell, lane), shown; rolling toward target, or still when target < 0.
  void BombAt(int b, int cell, int lane, int target = -1) {
    form.BombInPlay[b] = true;
    form.NascondiBombe(b);
    form.BombCell[b] = cell;
    form.BombLane[b] = lane;
    form.BombRolling[b] = target >= 0;
    if (target >= 0) form.BombTarget[b] = target;
    form.MostraBombe(b);
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

  VirtualClock clock;
  sound::NullOutput audio;
  std::string createError;  // what FormCreate raised, if it did
  OpLog sounds;             // outlives the channels that report to it
  TForm1 form;

 protected:
  std::string missing_;  // sound files left out of the scratch directory, set before SetUp

 private:
  std::filesystem::path dir_, old_;
};

}  // namespace floemark::testing
