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
#include "app/splash_form.h"
#include "app/title.h"
#include "sound/device_output.h"

using namespace floemark;
using namespace floemark::app;

int main(int argc, char** argv) {
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

  ConsoleWindow console(clock, *audio, pictures);  // runs FormCreate
  AboutForm about;
  SplashForm splash(console, about);
  splash.ShowCentred();
  console.SetPopupMenu(splash.Menu());
  console.SetFirstActivationAction([&splash] { splash.ShowAgain(); });
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
  return QApplication::exec();
}
