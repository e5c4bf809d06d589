#include "console/recording.h"

#include "console/script.h"

namespace floemark::console {

Recording::Recording(std::function<bool(std::string_view)> write, std::string heading)
    : write_(std::move(write)), heading_(std::move(heading)) {}

void Recording::Start(std::int64_t timeOfDayAtZeroMs) {
  std::string comment = "# ";
  for (char c : heading_) comment += c == '\n' ? std::string("\n# ") : std::string(1, c);
  Line(comment);
  Line(FormatClock(timeOfDayAtZeroMs));
}

void Recording::Add(const Command& command) { Line(FormatCommand(command)); }

void Recording::End(std::int64_t timeMs) { Line(FormatCommand(Command{Command::End, timeMs})); }

void Recording::Line(const std::string& line) {
  if (failed_) return;
  failed_ = !write_(line + '\n');
}

}  // namespace floemark::console
