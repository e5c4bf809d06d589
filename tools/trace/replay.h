#pragma once
// Runs a parsed script on a console with a virtual clock and a silent audio output, and writes
// what every handler did. The console reads ./SOUND/ like the program does.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "tools/trace/script.h"

namespace floemark {
class TForm1;
}

namespace floemark::trace {

// The handler a command runs, as the trace names it ("FormKeyDown 90", "Puls_PowerClick").
std::string HandlerName(const Command& command);
// Runs the command's handler on the console (nothing for End).
void RunOn(TForm1& form, const Command& command);

// Called after every handler with its moment and its name as the trace shows them.
using AfterHandler = std::function<void(std::int64_t t, std::string_view name, const TForm1&)>;

// sink receives the trace in pieces, each a whole number of lines.
void Replay(const Script& script, const std::function<void(const std::string&)>& sink,
            const AfterHandler& after = nullptr);

}  // namespace floemark::trace
