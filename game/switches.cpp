// The console's switches, the start keys and the start of a game and of each round.
#include "game/form1.h"
#include "game/sides.h"

namespace floemark {

// Power on shows only the two fresh scores; power off freezes and blanks everything at once
// but keeps the game variables until the next start overwrites them.
void TForm1::Puls_PowerClick() {
  PowerOn = !PowerOn;
  if (PowerOn) {
    Components.CopyPicture(Puls_Power, Puls_On);
    Components.SetHint(Puls_Power, "Press to turn game off");
    Score[1] = 15;
    CalcolaScore(1);
    Score[2] = 15;
    CalcolaScore(2);
    return;
  }
  Components.ClearPicture(Puls_Power);
  Components.SetHint(Puls_Power, "Press to turn game on");
  Blocca_Timers();
  Blocca_MPlayers();
  Spegni_LCD();
  GameRunning = false;
  InputEnabled[1] = false;
  InputEnabled[2] = false;
}

// Read only when a game starts, so it may be flipped at any time.
void TForm1::Puls_SelectClick() {
  TwoPlayers = !TwoPlayers;
  if (TwoPlayers) {
    Components.CopyPicture(Puls_Select, Puls_Off);
    Components.SetHint(Puls_Select, "Press to select 1-player game");
  } else {
    Components.ClearPicture(Puls_Select);
    Components.SetHint(Puls_Select, "Press to select 2-players game");
  }
}

// Switching the sound back on replays nothing: the next cue simply sounds.
void TForm1::Puls_SoundClick() {
  SoundOn = !SoundOn;
  if (SoundOn) {
    Components.ClearPicture(Puls_Sound);
    Components.SetHint(Puls_Sound, "Press to turn sound off");
    return;
  }
  Components.CopyPicture(Puls_Sound, Puls_Off);
  Components.SetHint(Puls_Sound, "Press to turn sound on");
  Blocca_MPlayers();
}

// The same key starts a game when none runs and attacks during one. In a one-player game the
// person takes the side whose key started it.
void TForm1::StartOrAttack(int player) {
  if (player != 1 && player != 2) return;
  if (!PowerOn) return;
  if (GameRunning) {
    Attack(player);
    return;
  }
  const int other = 3 - player;
  IsHuman[player] = true;
  IsHuman[other] = TwoPlayers;
  GameMode = IsHuman[other] ? PlayMode::TwoPeople
             : player == 1  ? PlayMode::ComputerSeal
                            : PlayMode::ComputerPenguin;
  Spegni_LCD();
  Avvia_Gioco();
}

void TForm1::Avvia_Gioco() {
  // Both sides count as holding a key, so nothing acts during the start delay.
  GameRunning = true;
  KeyLatch[1] = true;
  KeyLatch[2] = true;
  Prepara_Schermo();
  HandsEmpty[1] = true;
  HandsEmpty[2] = true;
  LadderHeight[1] = 0;
  LadderHeight[2] = 0;
  Score[1] = 15;
  CalcolaScore(1);
  Score[2] = 15;
  CalcolaScore(2);
  if (SoundOn) {
    MPlayer_Music.LoadCue(".\\SOUND\\START.WAV");
    MPlayer_Music.PlayCue();
  }
  Timer_Avvio.SetEnabled(true);
}

// The starting layout of a round, drawn onto an LCD whose moving elements are already hidden.
// Scores, ladders, carried ice, switches and player flags are the caller's business.
void TForm1::Prepara_Schermo() {
  PlayerPos[1] = 4;
  MostraChar(1);
  PlayerPos[2] = 2;
  MostraChar(2);
  WallLane = 3;
  MostraDisturbi(3);
  // The vulture starts over either screen; bomb 2 waits unseen at its turning place over the
  // other one, where the vulture picks it up at its first turn.
  if (Random(2) == 1) {
    VultureLane = 1;
    VultureCell = 5;
    BombTarget[1] = 0;
    BombLane[2] = 5;
    BombCell[2] = 6;
    BombTarget[2] = 11;
  } else {
    VultureLane = 5;
    VultureCell = 6;
    BombTarget[1] = 11;
    BombLane[2] = 1;
    BombCell[2] = 5;
    BombTarget[2] = 0;
  }
  MostraAvvoltoio();
  BombLane[1] = VultureLane;
  BombCell[1] = VultureCell;
  MostraBombe(1);
  BombInPlay[1] = true;
  BombInPlay[2] = false;
  BombRolling[1] = false;
  BombRolling[2] = false;
  // A bomb snatched in the last round must not stay barred from dropping in this one, or it
  // lingers as a ghost at the vulture's last place.
  BombPickedUp[1] = false;
  BombPickedUp[2] = false;
  HeldBomb[1] = 0;
  HeldBomb[2] = 0;
  VultureBomb = 1;
  MovingBomb = 1;
  Timer_Ghiaccio.SetInterval(TimerLayoutInterval(TimerId::Timer_Ghiaccio));
}

void TForm1::NewRound() {
  Prepara_Schermo();
  for (int p : kPlayers) {
    if (HandsEmpty[p]) continue;
    NascondiGhiaccio(p);
    IcePos[p] = PlayerPos[p];
    MostraGhiaccio(p);
  }
}

// Stops every timer in table order; intervals stay as they are.
void TForm1::Blocca_Timers() {
  for (TimerId id : kAllTimers) TimerById(id).SetEnabled(false);
}

// Hands play to the people after the start delay, an explosion or a bonus. The bombs start
// rolling only when the vulture drops one, so the game tick is not started here.
void TForm1::ResumePlay(Timer& sequence) {
  InputEnabled[1] = IsHuman[1];
  InputEnabled[2] = IsHuman[2];
  // A person's key is free again; the computer's side stays latched.
  KeyLatch[1] = !IsHuman[1];
  KeyLatch[2] = !IsHuman[2];
  Timer_Avvoltoio.SetEnabled(true);
  Timer_Disturbi.SetEnabled(true);
  Timer_Ghiaccio.SetEnabled(true);
  if (GameMode != PlayMode::TwoPeople) TimerIA.SetEnabled(true);
  sequence.SetEnabled(false);
}

void TForm1::Timer_AvvioTimer() { ResumePlay(Timer_Avvio); }

}  // namespace floemark
