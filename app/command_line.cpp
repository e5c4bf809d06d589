#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <array>

#include "app/title.h"

namespace floemark::app {
namespace {

// Every option the program has, in the order the help lists them; when several are given, the
// first of them here is what the program does. The parser, the usage line and the help are all
// made from this table.
struct Option {
  const char* shortName;
  const char* longName;
  const char* what;
  CommandLine::Action action;
};
constexpr std::array kOptions = {
    Option{"h", "help", "show this help and exit", CommandLine::Action::ShowHelp},
    Option{"v", "version", "show the version and exit", CommandLine::Action::ShowVersion},
};

QString Names(const Option& o) {
  return QStringLiteral("-%1, --%2").arg(QLatin1String(o.shortName), QLatin1String(o.longName));
}

QString Usage() {
  QString usage = QStringLiteral("usage: floemark");
  for (const Option& o : kOptions)
    usage +=
        QStringLiteral(" [-%1 | --%2]").arg(QLatin1String(o.shortName), QLatin1String(o.longName));
  return usage;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  // Qt's parser rather than our own, for its "--", "-hv" and "--name=value" forms; it needs no
  // application object as long as it is only asked to parse.
  QCommandLineParser parser;
  for (const Option& o : kOptions)
    parser.addOption(
        QCommandLineOption(QStringList{QLatin1String(o.shortName), QLatin1String(o.longName)}));

  CommandLine line;
  if (!parser.parse(arguments)) {
    line.action = CommandLine::Action::Refuse;
    line.error = parser.errorText();
    return line;
  }
  if (!parser.positionalArguments().isEmpty()) {
    line.action = CommandLine::Action::Refuse;
    line.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    return line;
  }
  for (const Option& o : kOptions) {
    if (parser.isSet(QLatin1String(o.longName))) {
      line.action = o.action;
      break;
    }
  }
  return line;
}

QString HelpText() {
  qsizetype width = 0;
  for (const Option& o : kOptions) width = std::max(width, Names(o).size());
  QString options;
  for (const Option& o : kOptions)
    options +=
        QStringLiteral("  %1  %2\n").arg(Names(o).leftJustified(width), QLatin1String(o.what));
  return Usage() + QStringLiteral(
                       "\n"
                       "%1: the dual-screen LCD handheld game on the desktop.\n"
                       "\n"
                       "%2"
                       "\n"
                       "Without options it opens the welcome window. The sounds (SOUND/) and the\n"
                       "documents (README.TXT, WHATSNEW.TXT) are read from the working directory;\n"
                       "the installed command and the desktop's menu start the program in its\n"
                       "data folder. The keys and the rules: floemark(6) and README.TXT.\n")
                       .arg(kAppTitle, options);
}

QString VersionText() {
  return QStringLiteral("%1 %2\n").arg(kAppTitle, QStringLiteral(FLOEMARK_VERSION));
}

QString RefusalLine(const QString& error) {
  return QStringLiteral("floemark: %1 %2\n").arg(error, Usage());
}

}  // namespace floemark::app
