// Floemark Simulator: the handheld on the desktop. Started in the folder that holds SOUND\,
// README.TXT and WHATSNEW.TXT; the person's settings (size, keys, the background pause) are
// app/desktop/settings'. Its options are command_line.cpp's: --help and --version need no
// display, --record and --replay keep and play back a game.
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/desktop/desktop.h"
#include "app/desktop/display_check.h"
#include "app/desktop/fonts.h"
#include "app/desktop/program_icon.h"
#include "app/desktop/settings.h"
#include "app/input/gamepads.h"
#include "app/input/key_repeat.h"
#include "app/loop/live_session.h"
#include "app/loop/real_clock.h"
#include "app/loop/recording_file.h"
#include "app/windows/about_form.h"
#include "app/windows/console_window.h"
#include "app/windows/error_box.h"
#include "app/windows/splash_form.h"
#include "app/windows/title.h"
#include "console/sound_files.h"
#include "drawing/pictures.h"
#include "sdl_audio/device_output.h"

using namespace floemark;
using namespace floemark::app;

namespace {

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

// A file named on the command line, as the person meant it: the launcher starts the program in
// its data folder and says where it was started.
QString FromStartingFolder(const QString& path) {
  const QString started = qEnvironmentVariable("FLOEMARK_STARTED_IN");
  if (path.isEmpty() || started.isEmpty() || QDir::isAbsolutePath(path)) return path;
  return QDir(started).filePath(path);
}

}  // namespace

int main(int argc, char** argv) {
  const CommandLine line = ParseCommandLine(Arguments(argc, argv));
  switch (line.action) {
    case CommandLine::Action::ShowHelp:
      std::fputs(qPrintable(HelpText()), stdout);
      return 0;
    case CommandLine::Action::ShowVersion:
      std::fputs(qPrintable(VersionText()), stdout);
      return 0;
    case CommandLine::Action::Refuse:
      std::fputs(qPrintable(RefusalLine(line.error)), stderr);
      return 2;
    case CommandLine::Action::Run:
      break;
  }

  // Both files are checked before any window opens: a game that could not be kept, or a
  // recording that could not be played, is not started.
  QString error;
  std::optional<console::Script> replay;
  if (!line.replay.isEmpty()) {
    replay = ReadRecording(FromStartingFolder(line.replay), &error);
    if (!replay) {
      std::fprintf(stderr, "floemark: %s\n", qPrintable(error));
      return 1;
    }
    std::fputs(console::UnloadableSoundsNotice("floemark").c_str(), stderr);
  }
  std::optional<RecordingFile> recording;
  if (!line.record.isEmpty()) {
    recording.emplace();
    if (!recording->Open(FromStartingFolder(line.record), &error)) {
      std::fprintf(stderr, "floemark: %s\n", qPrintable(error));
      return 1;
    }
  }

  // FirstActivation was set by the console module's own initialisation, before this line.
  // The audio first, while the program has a single thread: it sets the sound server's client
  // properties in the environment.
  RealClock clock;
  const std::unique_ptr<sound::AudioOutput> audio =
      sound::OpenDeviceOrSilent(clock, {kAppTitle.toStdString(), kDesktopIcon, "Game sounds"});
  auto displayCheck = std::make_unique<DisplayCheck>();
  QApplication app(argc, argv);
  displayCheck.reset();
  QApplication::setApplicationName(kAppTitle);
  // The desktop entry's name: how a Wayland compositor's dock finds the icon and the name.
  QGuiApplication::setDesktopFileName(QStringLiteral(FLOEMARK_APP_ID));
  UseWindowFontEverywhere();
  // Ending the program is the console's business (Exit, Esc, its close); the splash and the
  // about window only hide.
  QApplication::setQuitOnLastWindowClosed(false);
  UseDetectableAutoRepeat();
  QApplication::setWindowIcon(ProgramIcon());

  const drawing::PanelPictures pictures = drawing::PanelPictures::FromResources();
  for (const QString& e : pictures.Errors())
    std::fprintf(stderr, "floemark: picture %s\n", qPrintable(e));

  // FormCreate runs here, at t = 0 of the game's clock; a replay's day starts as its recording's.
  LiveSession session(clock, *audio, ShowErrorBox,
                      replay ? std::optional<std::int64_t>(replay->clockMs) : std::nullopt);
  if (recording) {
    // A recording that stops is told in the window, once, and the program's status says so.
    recording->SetOnStopped([](const QString& why) {
      QTimer::singleShot(0, [why] {
        QMessageBox* box = MakeErrorBox(why.left(1).toUpper() + why.mid(1) +
                                        QStringLiteral(". The game goes on unrecorded."))
                               .release();
        box->setIcon(QMessageBox::Warning);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
      });
    });
    recording->Start(session.Session().TimeOfDayAtZero());
    session.Session().SetInputObserver(
        [&recording](const console::Command& c) { recording->Add(c); });
  }
  ConsoleWindow console(session, pictures);
  AboutForm about;
  SplashForm splash(console, about);
  SettingsStore settings(SettingsPath());
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
  splash.UseSettings(settings, [&pads](const KeyBindings& keys) { pads.SetBindings(keys.pad); });

  if (WindowsManaged())
    console.ShowAtPlay();
  else
    console.ShowOffScreen();
  if (replay) {
    // A recording shows from its first moment: its player is past the splash already.
    session.PlayBack(std::move(replay->commands));
    splash.Puls_PlayClick();
  }
  const int status = QApplication::exec();
  if (recording) {
    recording->End(session.Finish());
    if (recording->Failed()) return 1;
  }
  return status;
}
