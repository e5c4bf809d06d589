// The computer opponent.
#include "game/form1.h"

namespace floemark {

void TForm1::TimerIATimer() { Proc_IA(); }
void TForm1::Proc_IA() {}

}  // namespace floemark
