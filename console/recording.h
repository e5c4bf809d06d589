#pragma once
// A game kept as it is played, as a floemark-trace script: a heading, the time of day at t = 0,
// then every input at its moment on the logical clock, then the end. Each line is handed over
// as it happens, so that a recording written to a file survives a crash up to its last input.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "console/commands.h"

namespace floemark::console {

class Recording {
 public:
  // write takes whole lines and says whether they were kept; heading is a comment, one line
  // or several, each without its "# ".
  Recording(std::function<bool(std::string_view)> write, std::string heading);

  void Start(std::int64_t timeOfDayAtZeroMs);
  void Add(const Command& command);
  void End(std::int64_t timeMs);
  // Once a line could not be kept, nothing more is written: the game goes on unrecorded.
  bool Failed() const { return failed_; }

 private:
  void Line(const std::string& line);

  std::function<bool(std::string_view)> write_;
  std::string heading_;
  bool failed_ = false;
};

}  // namespace floemark::console
