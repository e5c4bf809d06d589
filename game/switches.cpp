// The console's switches, the start keys and the start of a game and of each round.
#include "game/form1.h"

namespace floemark {

void TForm1::Puls_PowerClick() {}
void TForm1::Puls_SelectClick() {}
void TForm1::Puls_SoundClick() {}
void TForm1::StartOrAttack(int) {}
void TForm1::Avvia_Gioco() {}
void TForm1::Prepara_Schermo() {}
void TForm1::Blocca_Timers() {}
void TForm1::ResumePlay(Timer&) {}
void TForm1::Timer_AvvioTimer() {}

}  // namespace floemark
