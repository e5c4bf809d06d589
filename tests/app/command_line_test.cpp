#include "app/command_line.h"

#include <gtest/gtest.h>

namespace floemark::app {
namespace {

using Action = CommandLine::Action;

CommandLine Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("floemark"));
  return ParseCommandLine(arguments);
}

TEST(CommandLine, NoArgumentsRunTheGame) {
  EXPECT_EQ(Parse({}).action, Action::Run);
  EXPECT_EQ(ParseCommandLine({QStringLiteral("/usr/lib/games/floemark/floemark")}).action,
            Action::Run);
}

TEST(CommandLine, HelpAndVersionInTheirShortAndLongForms) {
  EXPECT_EQ(Parse({"--help"}).action, Action::ShowHelp);
  EXPECT_EQ(Parse({"-h"}).action, Action::ShowHelp);
  EXPECT_EQ(Parse({"--version"}).action, Action::ShowVersion);
  EXPECT_EQ(Parse({"-v"}).action, Action::ShowVersion);
  // Asked for both, the help is the more useful answer.
  EXPECT_EQ(Parse({"--version", "--help"}).action, Action::ShowHelp);
  EXPECT_EQ(Parse({"-hv"}).action, Action::ShowHelp);
}

TEST(CommandLine, AnythingElseIsRefusedWithWhatWasWrong) {
  const CommandLine unknown = Parse({"--fullscreen"});
  EXPECT_EQ(unknown.action, Action::Refuse);
  EXPECT_TRUE(unknown.error.contains("fullscreen")) << unknown.error.toStdString();
  // Qt's own options are not the program's: -platform is refused, not passed on.
  EXPECT_EQ(Parse({"-platform", "xcb"}).action, Action::Refuse);
  const CommandLine stray = Parse({"README.TXT"});
  EXPECT_EQ(stray.action, Action::Refuse);
  EXPECT_TRUE(stray.error.contains("README.TXT"));
  EXPECT_EQ(Parse({"--help=yes"}).action, Action::Refuse);
  // After "--" everything is an argument, and the program takes none.
  EXPECT_EQ(Parse({"--", "--help"}).action, Action::Refuse);
  // A refused help is still refused.
  EXPECT_EQ(Parse({"--help", "--bogus"}).action, Action::Refuse);
}

TEST(CommandLine, RecordAndReplayKeepTheirFileAndRunTheGame) {
  const CommandLine both = Parse({"--record", "game.rec", "--replay=old game.rec"});
  EXPECT_EQ(both.action, Action::Run);
  EXPECT_EQ(both.record, QStringLiteral("game.rec"));
  EXPECT_EQ(both.replay, QStringLiteral("old game.rec"));
  EXPECT_TRUE(Parse({}).record.isEmpty());
  // A file named like an option is still the file.
  EXPECT_EQ(Parse({"--record", "--help"}).record, QStringLiteral("--help"));
  // Help and version still end the program at once.
  EXPECT_EQ(Parse({"--replay", "game.rec", "-v"}).action, Action::ShowVersion);
  for (const QStringList& wrong : {QStringList{"--record"}, QStringList{"--replay="},
                                   QStringList{"--record", "a", "--record", "b"}}) {
    const CommandLine refused = Parse(wrong);
    EXPECT_EQ(refused.action, Action::Refuse) << wrong.join(' ').toStdString();
    EXPECT_TRUE(refused.error.contains(wrong.front().section(QLatin1Char('='), 0, 0)))
        << refused.error.toStdString();
  }
}

TEST(CommandLine, TheRefusalIsOneLineWithTheUsage) {
  const QString line = RefusalLine(Parse({"--bogus"}).error);
  EXPECT_TRUE(line.startsWith("floemark: ")) << line.toStdString();
  EXPECT_TRUE(line.endsWith("\n"));
  EXPECT_EQ(line.count('\n'), 1);
  EXPECT_TRUE(line.contains("usage: floemark"));
  EXPECT_TRUE(line.contains("bogus"));
}

TEST(CommandLine, HelpNamesEveryOptionAndVersionTheRelease) {
  const QString help = HelpText();
  for (const char* option : {"-h, --help", "-v, --version", "--record FILE", "--replay FILE"}) {
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
  }
  EXPECT_TRUE(help.contains("floemark(6)"));
  EXPECT_EQ(VersionText(), QStringLiteral("Floemark Simulator " FLOEMARK_VERSION "\n"));
}

}  // namespace
}  // namespace floemark::app
