#include "app/recording.h"

#include <cstdio>

namespace floemark::app {

bool RecordingWriter::Open(const QString& path, QString* error) {
  file_.setFileName(path);
  // Unbuffered: every line goes to the system as it is written.
  if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return true;
  *error = QStringLiteral("cannot write the recording %1: %2").arg(path, file_.errorString());
  return false;
}

void RecordingWriter::Start(std::int64_t timeOfDayAtZeroMs) {
  Line(
      "# Floemark Simulator: a game played in the window; replay it with floemark --replay\n"
      "# or floemark-trace.");
  Line(trace::FormatClock(timeOfDayAtZeroMs));
}

void RecordingWriter::Add(const trace::Command& command) { Line(trace::FormatCommand(command)); }

void RecordingWriter::End(std::int64_t timeMs) {
  Line(trace::FormatCommand(trace::Command{trace::Command::End, timeMs}));
  file_.close();
}

void RecordingWriter::Line(const std::string& line) {
  if (!file_.isOpen() || failed_) return;
  const std::string text = line + '\n';
  if (file_.write(text.data(), qint64(text.size())) == qint64(text.size())) return;
  failed_ = true;
  std::fprintf(stderr, "floemark: the recording %s stops here: %s\n", qPrintable(file_.fileName()),
               qPrintable(file_.errorString()));
}

std::optional<trace::Script> ReadRecording(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("cannot read the recording %1: %2").arg(path, file.errorString());
    return std::nullopt;
  }
  const QByteArray text = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    *error = QStringLiteral("cannot read the recording %1: %2").arg(path, file.errorString());
    return std::nullopt;
  }
  trace::ParseResult parsed = trace::ParseScript(std::string_view(text.constData(), text.size()));
  if (parsed.error) {
    *error = QStringLiteral("the recording %1, line %2: %3")
                 .arg(path)
                 .arg(parsed.error->line)
                 .arg(QString::fromStdString(parsed.error->message));
    return std::nullopt;
  }
  return std::move(parsed.script);
}

}  // namespace floemark::app
