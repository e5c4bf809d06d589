#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <array>

#include "app/windows/title.h"

namespace floemark::app {
namespace {

// Every option the program has, in the order the help lists them. The parser, the usage line
// and the help are all made from this table. Of the options that end the program at once, the
// first given here wins; an option with a value (valueName) keeps it in CommandLine::*field.
struct Option {
  const char* shortName;  // "" for none
  const char* longName;
  const char* valueName;  // "" for an option without a value
  const char* what;
  CommandLine::Action action;
  QString CommandLine::*field;
};
constexpr std::array kOptions = {
    Option{"h", "help", "", "show this help and exit", CommandLine::Action::ShowHelp, nullptr},
    Option{"v", "version", "", "show the version and exit", CommandLine::Action::ShowVersion,
           nullptr},
    Option{"", "record", "FILE",
           "keep the game played in the window in FILE, a floemark-trace script",
           CommandLine::Action::Run, &CommandLine::record},
    Option{"", "replay", "FILE", "play the recording FILE back in the window, as it was played",
           CommandLine::Action::Run, &CommandLine::replay},
};

QString Latin1(const char* s) { return QString::fromLatin1(s); }

// "-h, --help" or "    --record FILE": the option's names as the help lists them.
QString Names(const Option& o) {
  QString names =
      *o.shortName ? QStringLiteral("-%1, ").arg(Latin1(o.shortName)) : QStringLiteral("    ");
  names += QStringLiteral("--") + Latin1(o.longName);
  if (*o.valueName) names += QStringLiteral(" ") + Latin1(o.valueName);
  return names;
}

QString Usage() {
  QString usage = QStringLiteral("usage: floemark");
  for (const Option& o : kOptions) {
    QString forms = QStringLiteral("--") + Latin1(o.longName);
    if (*o.shortName) forms = QStringLiteral("-%1 | ").arg(Latin1(o.shortName)) + forms;
    if (*o.valueName) forms += QStringLiteral(" ") + Latin1(o.valueName);
    usage += QStringLiteral(" [%1]").arg(forms);
  }
  return usage;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
  // Qt's parser rather than our own, for its "--", "-hv" and "--name=value" forms; it needs no
  // application object as long as it is only asked to parse.
  QCommandLineParser parser;
  for (const Option& o : kOptions) {
    QStringList names{Latin1(o.longName)};
    if (*o.shortName) names.prepend(Latin1(o.shortName));
    parser.addOption(QCommandLineOption(names, {}, Latin1(o.valueName)));
  }

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
    const QString name = Latin1(o.longName);
    if (!parser.isSet(name)) continue;
    if (o.field) {
      const QStringList values = parser.values(name);
      if (values.size() > 1 || values.front().isEmpty()) {
        line.action = CommandLine::Action::Refuse;
        line.error = QStringLiteral("Option '--%1' takes one file.").arg(name);
        return line;
      }
      line.*o.field = values.front();
    } else if (line.action == CommandLine::Action::Run) {
      line.action = o.action;
    }
  }
  return line;
}

QString HelpText() {
  qsizetype width = 0;
  for (const Option& o : kOptions) width = std::max(width, Names(o).size());
  QString options;
  for (const Option& o : kOptions)
    options += QStringLiteral("  %1  %2\n").arg(Names(o).leftJustified(width), Latin1(o.what));
  return Usage() + QStringLiteral(
                       "\n"
                       "%1: the dual-screen LCD handheld game on the desktop.\n"
                       "\n"
                       "%2"
                       "\n"
                       "Without options it opens the welcome window. The sounds (SOUND/) and the\n"
                       "documents (README.TXT, WHATSNEW.TXT) are read from the working directory;\n"
                       "the installed command and the desktop's menu start the program in its\n"
                       "data folder. The size, the background pause and the keys chosen in the\n"
                       "console's menu are kept in $XDG_CONFIG_HOME/floemark/floemark.conf\n"
                       "(~/.config when unset). P pauses, F11 is full screen, F12 a screenshot.\n"
                       "The keys and the rules: floemark(6) and README.TXT.\n")
                       .arg(kAppTitle, options);
}

QString VersionText() {
  return QStringLiteral("%1 %2\n").arg(kAppTitle, QStringLiteral(FLOEMARK_VERSION));
}

QString RefusalLine(const QString& error) {
  return QStringLiteral("floemark: %1 %2\n").arg(error, Usage());
}

}  // namespace floemark::app
