#pragma once
// The replay script: what happens to the console and when. Parsing refuses a malformed script
// whole, before anything runs, naming the first line that is wrong.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace floemark::trace {

// The console's three switches, in the order the script names them.
enum class Button : std::uint8_t { Power, Select, Sound };

struct Command {
  enum Kind : std::uint8_t { KeyDown, KeyUp, Click, End } kind;
  std::int64_t timeMs;            // since t = 0
  std::uint16_t key = 0;          // KeyDown, KeyUp: the virtual key code
  Button button = Button::Power;  // Click
};

struct Script {
  std::int64_t clockMs = 0;       // UTC time of day at t = 0
  std::vector<Command> commands;  // in script order; the last is End
};

struct ParseError {
  int line;             // 1-based
  std::string message;  // what is wrong, without the "floemark-trace: line N: " prefix
};

// Exactly one of the two is set.
struct ParseResult {
  std::optional<Script> script;
  std::optional<ParseError> error;
};

ParseResult ParseScript(std::string_view text);

// The script's own lines, as ParseScript reads them back: "clock HH:MM:SS.mmm" for a UTC time
// of day, and one timed line for a command (keys by name where they have one).
std::string FormatClock(std::int64_t timeOfDayMs);
std::string FormatCommand(const Command& command);

}  // namespace floemark::trace
