#include "app/loop/recording_file.h"

#include <cstdio>

namespace floemark::app {

RecordingFile::RecordingFile()
    : recording_(
          [this](std::string_view text) { return Write(text); },
          "Floemark Simulator: a game played in the window; replay it with floemark --replay\n"
          "or floemark-trace.") {}

bool RecordingFile::Open(const QString& path, QString* error) {
  file_.setFileName(path);
  // Unbuffered: every line goes to the system as it is written.
  if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return true;
  *error = QStringLiteral("cannot write the recording %1: %2").arg(path, file_.errorString());
  return false;
}

void RecordingFile::End(std::int64_t timeMs) {
  recording_.End(timeMs);
  file_.close();
}

bool RecordingFile::Write(std::string_view text) {
  if (!file_.isOpen()) return false;
  if (file_.write(text.data(), qint64(text.size())) == qint64(text.size())) return true;
  const QString why =
      QStringLiteral("the recording %1 stops here: %2").arg(file_.fileName(), file_.errorString());
  std::fprintf(stderr, "floemark: %s\n", qPrintable(why));
  if (onStopped_) onStopped_(why);
  return false;
}

std::optional<console::Script> ReadRecording(const QString& path, QString* error) {
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
  console::ParseResult parsed =
      console::ParseScript(std::string_view(text.constData(), text.size()));
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
