#pragma once
// The window tests' console: a console window on a live session whose platform clock stands
// still (a virtual clock), sounding silently; the errors it reports are kept.

#include <QString>
#include <QStringList>
#include <string>

#include "app/loop/live_session.h"
#include "app/windows/console_window.h"
#include "base/virtual_clock.h"
#include "drawing/pictures.h"
#include "sound/null_output.h"

namespace floemark::testing {

struct TestConsole {
  explicit TestConsole(drawing::PanelPictures pictures = {}) : pictures(std::move(pictures)) {}

  VirtualClock clock;
  sound::NullOutput audio{clock};
  drawing::PanelPictures pictures;
  QStringList reports;
  app::LiveSession session{
      clock, audio, [this](const std::string& text) { reports << QString::fromStdString(text); }};
  app::ConsoleWindow window{session, pictures};
};

}  // namespace floemark::testing
