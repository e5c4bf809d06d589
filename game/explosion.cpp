// The error sequence after an explosion, and the game-over hold.
#include "game/form1.h"
#include "game/sides.h"

namespace floemark {

// Everything freezes where it is; the sequence timer alone runs the animation.
void TForm1::ProcErrore() {
  Blocca_Timers();
  // The game tick has just started the tick sound; playing again only lets it run on.
  if (SoundOn) MPlayer_Tempo.PlayCue();
  InputEnabled[1] = false;
  InputEnabled[2] = false;
  ErrorStep = 0;
  Timer_Errore.SetInterval(300);
  Timer_Errore.SetEnabled(true);
}

// Steps at 300, 900, 1500 and 2200 ms after the explosion.
void TForm1::Timer_ErroreTimer() {
  ++ErrorStep;
  switch (ErrorStep) {
    case 1:
      // Loaded whatever the switch says, so that switching the sound on later finds it ready.
      MPlayer_Music.LoadCue(".\\SOUND\\BOMBED.WAV");
      if (SoundOn) MPlayer_Music.PlayCue();
      Timer_Errore.SetInterval(600);
      break;
    case 2: {
      // The LCD itself tells which end blew up: the penguin's explosion picture shows.
      const int loser = Shown(Im_P_Bang) ? kPenguin : kSeal;
      NascondiChar(loser);
      // The other bomb goes with the loser (it may be the one the loser held).
      for (int b = 1; b <= 2; ++b)
        if (BombInPlay[b] && MovingBomb == 3 - b) NascondiBombe(b);
      for (Segment s : kSides[loser].loss) Show(s);
      // A carried ice block is lost with the point.
      if (!HandsEmpty[loser]) {
        NascondiGhiaccio(loser);
        HandsEmpty[loser] = true;
      }
      // Shown only at the restart.
      --Score[loser];
      break;
    }
    case 3:
      Timer_Errore.SetInterval(700);
      break;
    case 4:
      RestartAfterError();
      break;
    default:
      break;
  }
}

void TForm1::RestartAfterError() {
  for (int p : kPlayers)
    for (Segment s : kSides[p].loss) Hide(s);
  for (int p : kPlayers) Hide(kSides[p].supply);
  NascondiAvvoltoio();
  NascondiDisturbi(WallLane);
  NascondiChar(1);
  NascondiChar(2);
  ClearBombs(true);
  // The winner keeps its block.
  NewRound();
  CalcolaScore(1);
  CalcolaScore(2);
  // The restart layout stays frozen on the LCD through the hold.
  if (Score[1] == 0 || Score[2] == 0)
    GameOverHold(Timer_Errore);
  else
    ResumePlay(Timer_Errore);
}

void TForm1::GameOverHold(Timer& sequence) {
  MPlayer_Music.StopChannel();
  MPlayer_Music.LoadCue(".\\SOUND\\OVER.WAV");
  if (SoundOn) MPlayer_Music.PlayCue();
  sequence.SetEnabled(false);
  Timer_Over.SetEnabled(true);
}

// The end of the hold: from now on a start key starts a new game.
void TForm1::Timer_OverTimer() {
  GameRunning = false;
  Timer_Over.SetEnabled(false);
}

}  // namespace floemark
