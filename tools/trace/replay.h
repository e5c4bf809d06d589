#pragma once
// Runs a parsed script on a console with a virtual clock and a silent audio output, and writes
// what every handler did. The console reads ./SOUND/ like the program does.

#include <functional>
#include <string>

#include "tools/trace/script.h"

namespace floemark::trace {

// sink receives the trace in pieces, each a whole number of lines.
void Replay(const Script& script, const std::function<void(const std::string&)>& sink);

}  // namespace floemark::trace
