#pragma once
// A game played in the window, kept in a file as it is played (console/recording.h), and a
// recording read back from one. Each line reaches the file as it happens, so a recording
// survives a crash up to its last input.

#include <QFile>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "console/recording.h"
#include "console/script.h"

namespace floemark::app {

class RecordingFile {
 public:
  RecordingFile();
  // Creates path, or empties it; false, with the reason in error, when it cannot be written.
  bool Open(const QString& path, QString* error);
  void Start(std::int64_t timeOfDayAtZeroMs) { recording_.Start(timeOfDayAtZeroMs); }
  void Add(const console::Command& command) { recording_.Add(command); }
  void End(std::int64_t timeMs);
  // Told once, with the reason, when a line cannot be written: the game goes on unrecorded.
  void SetOnStopped(std::function<void(const QString&)> onStopped) {
    onStopped_ = std::move(onStopped);
  }
  bool Failed() const { return recording_.Failed(); }

 private:
  bool Write(std::string_view text);

  QFile file_;
  console::Recording recording_;
  std::function<void(const QString&)> onStopped_;
};

// The recording at path; none, with the reason in error, when it cannot be read or is no
// script that floemark-trace would accept.
std::optional<console::Script> ReadRecording(const QString& path, QString* error);

}  // namespace floemark::app
