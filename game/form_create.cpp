#include "game/form1.h"

namespace floemark {

void TForm1::FormCreate() {
  SegmentTables::Fill();
  ArmTimer[1] = &TimerBraccio1;
  ArmTimer[2] = &TimerBraccio2;
  // The first file that fails ends the handler here: the later channels stay closed and the
  // switches keep their power-up values, so the sound switch starts off.
  MPlayer_Music.LoadCue(".\\SOUND\\START.WAV");
  MPlayer_Tempo.LoadCue(".\\SOUND\\TEMPO.WAV");
  MPlayer_Got.LoadCue(".\\SOUND\\GOT.WAV");
  MPlayer_Block.LoadCue(".\\SOUND\\BLOCK.WAV");
  PowerOn = false;
  TwoPlayers = false;
  SoundOn = true;
  GameRunning = false;
  InputEnabled[1] = false;
  InputEnabled[2] = false;
}

}  // namespace floemark
