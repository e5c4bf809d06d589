#pragma once
// The replay script: what happens to the console and when. Reading refuses a malformed script
// whole, before anything runs, naming the first line that is wrong. The script is read as it
// comes, in pieces of any size; only its commands are kept, packed (console/commands.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"
#include "console/commands.h"

namespace floemark::console {

// The latest time a script may give: what the clock carries (base/clock.h).
inline constexpr std::int64_t kLatestScriptMs = kLatestMs;
// The longest line read; a longer one is refused, so a file without line breaks is never held.
inline constexpr std::size_t kMaxLineBytes = 4096;

struct Script {
  std::int64_t clockMs = 0;  // UTC time of day at t = 0
  Commands commands;         // in script order; the last is End
};

struct ParseError {
  std::int64_t line;    // 1-based
  std::string message;  // what is wrong, without the "floemark-trace: line N: " prefix
};

// Exactly one of the two is set.
struct ParseResult {
  std::optional<Script> script;
  std::optional<ParseError> error;
};

class ScriptReader {
 public:
  // The next piece of the script; a piece may end anywhere, inside a line too.
  void Feed(std::string_view piece);
  // True once a line has been refused: nothing that follows changes the result.
  bool Refused() const { return error_.has_value(); }
  // The result, after the last piece.
  ParseResult Finish();

 private:
  void Line(std::string_view line);
  void Fail(std::string message) { error_ = ParseError{lineNo_, std::move(message)}; }

  Script script_;
  std::optional<ParseError> error_;
  std::string partial_;  // the last line so far, until its line break comes
  std::int64_t lineNo_ = 0;
  std::int64_t lastTime_ = 0;
  bool clockSeen_ = false, timedSeen_ = false, ended_ = false;
};

ParseResult ParseScript(std::string_view text);

// The script's own lines, as ParseScript reads them back: "clock HH:MM:SS.mmm" for a UTC time
// of day, and one timed line for a command (keys by name where they have one).
std::string FormatClock(std::int64_t timeOfDayMs);
std::string FormatCommand(const Command& command);

}  // namespace floemark::console
