#pragma once
// The console: its components, its timers and sound channels, and every handler of the
// handheld's logic; the game state they work on is game/console_state.h. One object is one
// handheld; a test may make as many as it likes. Everything runs on the game thread, one
// handler at a time, each to completion.
//
// The names are the handheld's own (Italian verb-object for operations, component names with
// their kind prefix), so that a trace, a test and the code all speak of the same things.

#include <array>
#include <cstdint>

#include "base/clock.h"
#include "base/timer.h"
#include "game/console_state.h"
#include "game/keys.h"
#include "panel/panel.h"
#include "panel/segment_tables.h"
#include "sound/channel.h"

namespace floemark {

using namespace panel;  // component names (Im_BombP35, Puls_Power, ...) read as they are

class TForm1 : public SegmentTables, public ConsoleState {
 public:
  // The three services outlive the console; they are not owned.
  TForm1(Clock& clock, TimerDriver& timers, sound::AudioOutput& audio);
  ~TForm1();

  // ---- Handlers: the entry points the front ends call. Each may raise Error. ----
  void FormCreate();
  void FormKeyDown(std::uint16_t key);
  void FormKeyUp(std::uint16_t key);
  void Puls_PowerClick();
  void Puls_SelectClick();
  void Puls_SoundClick();
  // Runs the handler of a timer that fired (the driver calls this; it does not check Enabled).
  void OnTimer(TimerId id);

#define TIMER(name, ms) void name##Timer();
#include "base/timers.def"
#undef TIMER

  // ---- Components ----
  Panel Components;

 private:
  TimerDriver& timerDriver_;  // before the timers, which are made with it

 public:
#define TIMER(name, ms) Timer name{TimerId::name, &timerDriver_};
#include "base/timers.def"
#undef TIMER
  sound::SoundChannel MPlayer_Music, MPlayer_Tempo, MPlayer_Block, MPlayer_Got;

  Timer& TimerById(TimerId id);
  const Timer& TimerById(TimerId id) const;
  sound::SoundChannel* Channels[4] = {&MPlayer_Music, &MPlayer_Tempo, &MPlayer_Block, &MPlayer_Got};

  // ---- Drawing primitives (game/primitives.cpp). A place outside a table reads as empty. ----
  void MostraChar(int player);
  void NascondiChar(int player);
  void MoveChar(int player, int step);  // hidden, moved step positions, shown again
  void MostraDisturbi(int lane);
  void NascondiDisturbi(int lane);
  void MostraAvvoltoio();
  void NascondiAvvoltoio();
  void MostraBombe(int i);
  void NascondiBombe(int i);
  void MostraGhiaccio(int player);
  void NascondiGhiaccio(int player);
  void MostraScaletta(int player);
  void NascondiScaletta();
  // Every bomb segment of the rolling lanes and both outer places; the explosion pictures too
  // when withExplosions.
  void ClearBombs(bool withExplosions);
  void Spegni_LCD();
  void CalcolaScore(int player);
  // Show or hide one segment; kEmpty does nothing.
  void Show(Segment s);
  void Hide(Segment s);
  bool Shown(Segment s) const;

  // ---- Switches and game start (game/switches.cpp) ----
  void Avvia_Gioco();
  void Prepara_Schermo();
  void Blocca_Timers();
  void ResumePlay(Timer& sequence);
  // After an explosion or a bonus: the screen of the next round, a block still in somebody's
  // hands carried to its carrier's start position.
  void NewRound();
  // The last point is lost: the pictures freeze as they are, the game-over jingle plays and the
  // hold begins, ending the sequence that lost it.
  void GameOverHold(Timer& sequence);
  // The attack/start key of a player, after its indicator has been hidden.
  void StartOrAttack(int player);

  // ---- Sound cues (game/cues.cpp) ----
  void BlockSound();
  void Blocca_MPlayers();

  // ---- Player controls (game/controls.cpp) ----
  void RimandaBomba(int b);
  void FollowOrCatch(int p);
  void CatchAtFeet(int p);          // a bomb lying at the free hands' feet is held
  void Attack(int p);               // attack key accepted-path, steps 3..6
  void Throw(int p);                // the held bomb goes back up, the arm raised until its timer
  void Step(int p, int direction);  // step key: -1 toward the supply, +1 toward the ladder
  void ArmReturn(int p);

  // ---- Bombs and vulture (game/bombs.cpp) ----
  void RedrawBombs();  // both bombs, so one sharing a just-hidden image stays shown
  bool SnatchIfUnder(int m, int topCell);  // true when the vulture took bomb m
  void DropIfDue();
  // ---- Wall, ice and bonus (game/wall_ice.cpp) ----
  void TakeIce(int p);
  void CarryIce(int p);
  void VerificaScaletta(int p);

  // ---- Explosion and game over (game/explosion.cpp) ----
  void ProcErrore();
  void RestartAfterError();  // step 4: the new round, or the game over

  // ---- Computer opponent (game/computer.cpp) ----
  void Proc_IA();

  // A random integer 0..n-1, reseeded from the time of day.
  int Random(int n);

 private:
  Clock& clock_;
};

}  // namespace floemark
