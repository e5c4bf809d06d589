// The error sequence after an explosion, and the game-over hold.
#include "game/form1.h"

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

namespace {
constexpr Segment kLossPictures[] = {Im_P_DieP, Im_P_DieS, Im_S_DieS, Im_S_DieP};
}  // namespace

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
      const int loser = Shown(Im_P_Bang) ? 1 : 2;
      NascondiChar(loser);
      // The other bomb goes with the loser (it may be the one the loser held).
      if (BombInPlay[1] && MovingBomb == 2) NascondiBombe(1);
      if (BombInPlay[2] && MovingBomb == 1) NascondiBombe(2);
      if (loser == 1) {
        Show(Im_P_DieP);
        Show(Im_P_DieS);
      } else {
        Show(Im_S_DieS);
        Show(Im_S_DieP);
      }
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
  for (Segment s : kLossPictures) Hide(s);
  Hide(Im_BlockP1A);
  Hide(Im_BlockS5A);
  NascondiAvvoltoio();
  NascondiDisturbi(WallLane);
  NascondiChar(1);
  NascondiChar(2);
  for (int lane = 2; lane <= 4; ++lane)
    for (int cell = 0; cell <= 11; ++cell) Hide(BombSegments[lane][cell]);
  Hide(Im_BombP11);
  Hide(Im_BombS11);
  Prepara_Schermo();
  // The winner keeps its block and carries it to its starting place.
  for (int p = 1; p <= 2; ++p) {
    if (HandsEmpty[p]) continue;
    NascondiGhiaccio(p);
    IcePos[p] = PlayerPos[p];
    MostraGhiaccio(p);
  }
  CalcolaScore(1);
  CalcolaScore(2);
  if (Score[1] == 0 || Score[2] == 0) {
    // The restart layout stays frozen on the LCD through the hold.
    MPlayer_Music.StopChannel();
    MPlayer_Music.LoadCue(".\\SOUND\\OVER.WAV");
    if (SoundOn) MPlayer_Music.PlayCue();
    Timer_Errore.SetEnabled(false);
    Timer_Over.SetEnabled(true);
    return;
  }
  ResumePlay(Timer_Errore);
}

// The end of the hold: from now on a start key starts a new game.
void TForm1::Timer_OverTimer() {
  GameRunning = false;
  Timer_Over.SetEnabled(false);
}

}  // namespace floemark
