#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "app/title.h"

namespace floemark::app {
namespace {

const QString kUsage = QStringLiteral("usage: floemark [-h | --help] [-v | --version]");

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  // Qt's parser rather than our own, for its "--", "-hv" and "--name=value" forms; it needs no
  // application object as long as it is only asked to parse.
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
  parser.addOption(help);
  parser.addOption(version);

  CommandLine line;
  if (!parser.parse(arguments)) {
    line.action = CommandLine::Action::Refuse;
    line.error = parser.errorText();
  } else if (!parser.positionalArguments().isEmpty()) {
    line.action = CommandLine::Action::Refuse;
    line.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
  } else if (parser.isSet(help)) {
    line.action = CommandLine::Action::ShowHelp;
  } else if (parser.isSet(version)) {
    line.action = CommandLine::Action::ShowVersion;
  }
  return line;
}

QString HelpText() {
  return kUsage + QStringLiteral(
                      "\n"
                      "%1: the dual-screen LCD handheld game on the desktop.\n"
                      "\n"
                      "  -h, --help     show this help and exit\n"
                      "  -v, --version  show the version and exit\n"
                      "\n"
                      "Without options it opens the welcome window. The sounds (SOUND/) and the\n"
                      "documents (README.TXT, WHATSNEW.TXT) are read from the working directory;\n"
                      "the installed command and the desktop's menu start the program in its\n"
                      "data folder. The keys and the rules: floemark(6) and README.TXT.\n")
                      .arg(kAppTitle);
}

QString VersionText() {
  return QStringLiteral("%1 %2\n").arg(kAppTitle, QStringLiteral(FLOEMARK_VERSION));
}

QString RefusalLine(const QString& error) {
  return QStringLiteral("floemark: %1 %2\n").arg(error, kUsage);
}

}  // namespace floemark::app
