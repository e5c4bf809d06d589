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
  for (const char* option : {"--help", "-h", "--version", "-v"})
    EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
  EXPECT_TRUE(help.contains("floemark(6)"));
  EXPECT_EQ(VersionText(), QStringLiteral("Floemark Simulator " FLOEMARK_VERSION "\n"));
}

}  // namespace
}  // namespace floemark::app
