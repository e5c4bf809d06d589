#pragma once
// Which of the console's handlers an input runs: the one mapping from a command to its
// handler, for the window, the page and floemark-trace alike.

#include <string>

#include "console/commands.h"

namespace floemark {
class TForm1;
}

namespace floemark::console {

// The handler a command runs, as the trace names it ("FormKeyDown 90", "Puls_PowerClick").
std::string InputHandlerName(const Command& command);
// Runs the command's handler on the console (nothing for End).
void RunOn(TForm1& form, const Command& command);

}  // namespace floemark::console
