#pragma once
// A game played in the window, kept as a floemark-trace script: the time of day at t = 0, then
// every input at its moment on the logical clock, then the end. Each line reaches the file as
// it happens, so a recording survives a crash up to its last input.

#include <QFile>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "tools/trace/script.h"

namespace floemark::app {

class RecordingWriter {
 public:
  // Creates path, or empties it; false, with the reason in error, when it cannot be written.
  bool Open(const QString& path, QString* error);
  void Start(std::int64_t timeOfDayAtZeroMs);
  void Add(const trace::Command& command);
  void End(std::int64_t timeMs);

 private:
  void Line(const std::string& line);

  QFile file_;
  bool failed_ = false;  // told once; the game goes on unrecorded
};

// The recording at path; none, with the reason in error, when it cannot be read or is no
// script that floemark-trace would accept.
std::optional<trace::Script> ReadRecording(const QString& path, QString* error);

}  // namespace floemark::app
