#include "app/dispatcher.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <string>
#include <vector>

#include "base/error.h"

namespace floemark::app {
namespace {

struct Recorder {
  std::vector<std::string> log;
  Dispatcher Make() {
    return Dispatcher(
        [this] { log.push_back("repaint"); },
        [this](const QString& text) { log.push_back("report " + text.toStdString()); });
  }
};

TEST(Dispatcher, ErrorEndsTheHandlerIsReportedAndTheProgramGoesOn) {
  Recorder r;
  Dispatcher d = r.Make();
  int steps = 0;
  EXPECT_FALSE(d.Run([&] {
    ++steps;
    throw Error("The sound file ./SOUND/START.WAV does not exist");
    ++steps;  // never reached
  }));
  EXPECT_EQ(steps, 1);
  // What the handler changed is repainted before the box, and nothing is undone.
  EXPECT_EQ(r.log, (std::vector<std::string>{
                       "repaint", "report The sound file ./SOUND/START.WAV does not exist."}));
  r.log.clear();
  EXPECT_TRUE(d.Run([&] { ++steps; }));
  EXPECT_EQ(steps, 2);
  EXPECT_EQ(r.log, (std::vector<std::string>{"repaint"}));
}

TEST(Dispatcher, ReportFollowsTheFullStopRule) {
  Recorder r;
  Dispatcher d = r.Make();
  const std::pair<const char*, const char*> cases[] = {
      {"Ends in a stop.", "Ends in a stop."},
      {"Ends in a bang!", "Ends in a bang!"},  // '!' sorts before '.'
      {"Ends in a space ", "Ends in a space "},
      {"Ends in a", "Ends in a."},
      {"", "."},
      {"Ends in a slash/", "Ends in a slash/."},  // '/' sorts after '.'
  };
  for (const auto& [text, shown] : cases) {
    r.log.clear();
    d.Run([&] { throw Error(text); });
    ASSERT_EQ(r.log.size(), 2u) << text;
    EXPECT_EQ(r.log[1], std::string("report ") + shown) << "text: \"" << text << '"';
  }
}

TEST(ErrorBox, StopIconOkButtonAndTheProgramsTitle) {
  const auto box = MakeErrorBox(QStringLiteral("No MCI device open."));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Floemark Simulator"));
  EXPECT_EQ(box->text(), QStringLiteral("No MCI device open."));
  EXPECT_EQ(box->parent(), nullptr);
  // The stop icon is shown; the OK button is a plain button, with no icon of its own.
  EXPECT_FALSE(box->iconPixmap().isNull());
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_TRUE(box->buttons().first()->icon().isNull());
  box->show();
  EXPECT_TRUE(box->buttons().first()->icon().isNull());
  box->hide();
}

}  // namespace
}  // namespace floemark::app
