// Cues shared by several handlers.
#include "game/form1.h"

namespace floemark {

void TForm1::BlockSound() {}
void TForm1::Blocca_MPlayers() {}

}  // namespace floemark
