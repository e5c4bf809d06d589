#pragma once
// Runs a parsed script on a console with a virtual clock and a silent audio output, and writes
// what every handler did. The console reads ./SOUND/ like the program does.

#include <functional>
#include <string>

#include "tools/trace/script.h"

namespace floemark {
class TForm1;
}

namespace floemark::trace {

// The handler a command runs, as the trace names it ("FormKeyDown 90", "Puls_PowerClick").
std::string HandlerName(const Command& command);
// Runs the command's handler on the console (nothing for End).
void RunOn(TForm1& form, const Command& command);

// sink receives the trace in pieces, each a whole number of lines.
void Replay(const Script& script, const std::function<void(const std::string&)>& sink);

}  // namespace floemark::trace
