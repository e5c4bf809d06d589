// Floemark Simulator: the handheld on the desktop. Started in the folder that holds SOUND\,
// README.TXT and WHATSNEW.TXT; takes no arguments and reads no configuration.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>

#include "app/about_form.h"
#include "app/console_window.h"
#include "app/desktop.h"
#include "app/fonts.h"
#include "app/gamepads.h"
#include "app/key_repeat.h"
#include "app/pictures.h"
#include "app/real_clock.h"
#include "app/recording.h"
#include "app/splash_form.h"
#include "app/title.h"
#include "sound/device_output.h"

using namespace floemark;
using namespace floemark::app;

namespace {

// --record FILE and --replay FILE; the rest is the toolkit's.
struct Options {
  QString record, replay;
};
Options ReadOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--record")
      o.record = QString::fromLocal8Bit(argv[++i]);
    else if (std::string(argv[i]) == "--replay")
      o.replay = QString::fromLocal8Bit(argv[++i]);
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ReadOptions(argc, argv);
  // Both files are checked before any window opens: a game that could not be kept, or a
  // recording that could not be played, is not started.
  QString error;
  std::optional<trace::Script> replay;
  if (!options.replay.isEmpty()) {
    replay = ReadRecording(options.replay, &error);
    if (!replay) {
      std::fprintf(stderr, "floemark: %s\n", qPrintable(error));
      return 1;
    }
  }
  RecordingWriter recording;
  if (!options.record.isEmpty() && !recording.Open(options.record, &error)) {
    std::fprintf(stderr, "floemark: %s\n", qPrintable(error));
    return 1;
  }

  // FirstActivation was set by the console module's own initialisation, before this line.
  QApplication app(argc, argv);
  QApplication::setApplicationName(kAppTitle);
  UseWindowFontEverywhere();
  // Ending the program is the console's business (Exit, Esc, its close); the splash and the
  // about window only hide.
  QApplication::setQuitOnLastWindowClosed(false);
  UseDetectableAutoRepeat();
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(LoadAsset(QStringLiteral("icon16.png"))));
  icon.addPixmap(QPixmap::fromImage(LoadAsset(QStringLiteral("icon32.png"))));
  QApplication::setWindowIcon(icon);

  RealClock clock;
  const std::unique_ptr<sound::AudioOutput> audio = sound::OpenDeviceOrSilent(clock);
  const PanelPictures pictures = PanelPictures::FromResources();
  for (const QString& e : pictures.Errors())
    std::fprintf(stderr, "floemark: picture %s\n", qPrintable(e));

  // FormCreate runs here, at t = 0 of the game's clock; a replay's day starts as its recording's.
  ConsoleWindow console(clock, *audio, pictures, ShowErrorBox,
                        replay ? std::optional<std::int64_t>(replay->clockMs) : std::nullopt);
  if (!options.record.isEmpty()) {
    recording.Start(console.TimeOfDayAtZero());
    console.SetInputObserver([&recording](const trace::Command& c) { recording.Add(c); });
  }
  AboutForm about;
  SplashForm splash(console, about);
  if (!replay) splash.ShowCentred();
  console.SetPopupMenu(splash.Menu());
  if (!replay) console.SetFirstActivationAction([&splash] { splash.ShowAgain(); });
  about.SetOnClose([&console] { console.Activate(); });

  // Pads and the keyboard act side by side, through the same handlers.
  Gamepads pads([&console](bool down, std::uint16_t key) {
    if (down)
      console.VirtualKeyDown(key);
    else
      console.VirtualKeyUp(key);
  });

  if (WindowsManaged())
    console.ShowAtPlay();
  else
    console.ShowOffScreen();
  if (replay) {
    // A recording shows from its first moment: its player is past the splash already.
    std::vector<trace::Command> commands;
    for (const trace::Command& c : replay->commands) commands.push_back(c);
    console.PlayBack(std::move(commands));
    splash.Puls_PlayClick();
  }
  const int status = QApplication::exec();
  if (!options.record.isEmpty()) recording.End(console.Finish());
  return status;
}
