#pragma once
// What the command line asks of the program, decided before anything needs a display, so that
// --help and --version work on a console with no desktop at all. Without arguments the
// program just opens its windows.

#include <QString>
#include <QStringList>

namespace floemark::app {

struct CommandLine {
  enum class Action {
    Run,          // open the windows and play
    ShowHelp,     // print HelpText() to standard output, exit 0
    ShowVersion,  // print VersionText() to standard output, exit 0
    Refuse,       // print RefusalLine(error) to standard error, exit 2
  };
  Action action = Action::Run;
  QString error;   // for Refuse: what was wrong, in one sentence
  QString record;  // for Run: --record FILE, the file to keep the game in (empty: none)
  QString replay;  // for Run: --replay FILE, the recording to play back (empty: none)
};

// The arguments as the program got them, its own name first.
CommandLine ParseCommandLine(const QStringList& arguments);

QString HelpText();
QString VersionText();
// The one line that a refused command line gets: the error and the usage.
QString RefusalLine(const QString& error);

}  // namespace floemark::app
