#pragma once
// floemark-trace's run: a parsed script played back on a session that sounds silently on its
// own clock, and what every handler did written as the trace. The console reads ./SOUND/ like
// the program does.

#include <functional>
#include <string>

#include "console/script.h"
#include "console/trace_recorder.h"

namespace floemark::console {

// sink receives the trace in pieces, each a whole number of lines.
void Replay(const Script& script, const std::function<void(const std::string&)>& sink,
            const AfterHandler& after = nullptr);

}  // namespace floemark::console
