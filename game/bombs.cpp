// The bombs and the vulture.
#include "game/form1.h"

namespace floemark {

void TForm1::TimerGiocoTimer() {}
void TForm1::Timer_AvvoltoioTimer() {}

}  // namespace floemark
