// The error sequence after an explosion, and the game-over hold.
#include "game/form1.h"

namespace floemark {

void TForm1::ProcErrore() {}
void TForm1::Timer_ErroreTimer() {}
void TForm1::Timer_OverTimer() {}

}  // namespace floemark
