// The wall, the ice supply, the ladders and the bonus.
#include "game/form1.h"

namespace floemark {

void TForm1::Timer_DisturbiTimer() {}
void TForm1::Timer_GhiaccioTimer() {}
void TForm1::TakeIce(int) {}
void TForm1::CarryIce(int) {}
void TForm1::VerificaScaletta(int) {}
void TForm1::Timer_BonusTimer() {}

}  // namespace floemark
