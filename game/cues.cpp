// Cues shared by several handlers.
#include "game/form1.h"

namespace floemark {

// The ice-block sound cuts the tick short, so a block never sounds over a rolling bomb.
void TForm1::BlockSound() {
  MPlayer_Tempo.StopChannel();
  if (SoundOn) MPlayer_Block.PlayCue();
}

// Stops every sound whatever the switch says; only the jingle channel goes back to its start,
// the effects keep their places.
void TForm1::Blocca_MPlayers() {
  MPlayer_Music.StopChannel();
  MPlayer_Music.RewindChannel();
  MPlayer_Tempo.StopChannel();
  MPlayer_Got.StopChannel();
  MPlayer_Block.StopChannel();
}

}  // namespace floemark
