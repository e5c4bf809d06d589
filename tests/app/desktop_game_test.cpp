// What a desktop game offers besides the handheld, on the real widgets (offscreen): the pause
// on the game's clock, the person's keys and pad buttons, the settings file, the console's sizes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <vector>

#include "app/desktop/settings.h"
#include "app/input/key_bindings.h"
#include "app/input/pad_keys.h"
#include "app/windows/keys_dialog.h"
#include "sound/mixer.h"
#include "test_console.h"

namespace floemark::app {
namespace {

using console::Command;

struct Seen {
  Command::Kind kind;
  std::int64_t timeMs;
  std::uint16_t key;
  bool operator==(const Seen&) const = default;
};

class DesktopGameTest : public ::testing::Test {
 protected:
  DesktopGameTest() {
    console_.session.Session().SetInputObserver([this](const Command& c) {
      seen_.push_back({c.kind, c.timeMs, c.key});
    });
  }
  void At(std::int64_t ms) {
    console_.clock.RunThrough(ms, [](TimerId) {});
  }
  void Key(QEvent::Type type, Qt::Key key) {
    QKeyEvent event(type, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&console_.window, &event);
  }
  testing::TestConsole console_;
  LiveSession& live_ = console_.session;
  std::vector<Seen> seen_;
};

TEST_F(DesktopGameTest, APauseTakesNoTimeOnTheGamesClockAndKeepsOnlyTheReleases) {
  At(1000);
  live_.Input({Command::KeyDown, 0, 16});
  live_.Input({Command::KeyDown, 0, 90});
  live_.Input({Command::KeyUp, 0, 90});
  console_.window.SetPaused(true);
  EXPECT_TRUE(console_.window.Paused());
  EXPECT_FALSE(live_.Waiting());  // nothing wakes the loop while paused
  At(6000);
  EXPECT_EQ(live_.RealMs(), 1000);
  // Pressed while paused: dropped. SHIFT, down before the pause, comes up when play resumes;
  // Z's second release, which the game would not have seen pressed, is not kept.
  live_.Input({Command::KeyDown, 0, 67});
  live_.Input({Command::KeyUp, 0, 67});
  live_.Input({Command::KeyUp, 0, 16});
  live_.Input({Command::KeyUp, 0, 90});
  EXPECT_EQ(seen_.size(), 3u);
  At(6500);
  console_.window.SetPaused(false);
  EXPECT_EQ(live_.RealMs(), 1000);
  At(6700);
  live_.Input({Command::KeyDown, 0, 17});
  EXPECT_EQ(seen_, (std::vector<Seen>{{Command::KeyDown, 1000, 16},
                                      {Command::KeyDown, 1000, 90},
                                      {Command::KeyUp, 1000, 90},
                                      {Command::KeyUp, 1000, 16},
                                      {Command::KeyDown, 1200, 17}}));
}

TEST_F(DesktopGameTest, TheChosenKeysPlayAndTheHandheldsOwnDoNot) {
  KeyBindings keys;
  EXPECT_TRUE(keys.IsDefault());
  for (const std::uint16_t code : {16, 17, 37, 39, 67, 90, 65, 112})
    EXPECT_EQ(keys.Translate(code), code);  // as ever: the game ignores the others itself
  keys.keys = {'A', 'J', 'L', 16, 37, 39};
  EXPECT_EQ(keys.Problem(), "");
  EXPECT_EQ(keys.Translate('A'), 16);
  EXPECT_EQ(keys.Translate('J'), 90);
  EXPECT_EQ(keys.Translate('L'), 67);
  EXPECT_EQ(keys.Translate(16), 17);  // SHIFT now plays the seal's attack
  EXPECT_EQ(keys.Translate(90), std::nullopt);
  EXPECT_EQ(keys.Translate(67), std::nullopt);
  EXPECT_EQ(keys.Translate('Q'), 'Q');

  console_.window.SetKeyBindings(keys);
  Key(QEvent::KeyPress, Qt::Key_A);
  Key(QEvent::KeyRelease, Qt::Key_A);
  Key(QEvent::KeyPress, Qt::Key_Z);
  ASSERT_EQ(seen_.size(), 2u);
  EXPECT_EQ(seen_[0].key, 16);
  EXPECT_EQ(seen_[1].kind, Command::KeyUp);

  keys.keys[1] = 'A';
  EXPECT_NE(keys.Problem(), "");
  keys.keys[1] = 'P';
  EXPECT_NE(keys.Problem(), "");  // the pause's key
  keys.keys[1] = 0;
  EXPECT_NE(keys.Problem(), "");
}

TEST_F(DesktopGameTest, TheKeysDialogChoosesByKeyPressAndResetsToTheHandheld) {
  KeysDialog dialog(KeyBindings{});
  auto* button = dialog.findChild<QPushButton*>(QStringLiteral("Key0"));
  ASSERT_NE(button, nullptr);
  button->click();
  EXPECT_EQ(button->text(), QStringLiteral("Press a key..."));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QCoreApplication::sendEvent(button, &press);
  EXPECT_EQ(button->text(), QStringLiteral("A"));
  EXPECT_EQ(dialog.Chosen().keys[0], 'A');
  dialog.Choose(1, 'A');
  EXPECT_FALSE(dialog.Problem().isEmpty());
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);  // not kept while a key is taken twice
  dialog.ChoosePad(2, KeyPlace::Attack, PadButton::Y);
  dialog.ResetToHandheld();
  EXPECT_TRUE(dialog.Chosen().IsDefault());
}

TEST(PadBindingsTest, AChosenButtonPlaysItsKeyInsteadOfTheHandheldsChoice) {
  std::vector<std::pair<bool, std::uint16_t>> keys;
  PadKeys pad([&](bool down, std::uint16_t key) { keys.push_back({down, key}); });
  pad.SetSide(2);
  pad.Button(PadButton::A, true);
  pad.Button(PadButton::A, false);
  EXPECT_EQ(keys, (std::vector<std::pair<bool, std::uint16_t>>{{true, 17}, {false, 17}}));
  keys.clear();
  std::array<std::array<PadButton, 3>, 2> chosen{};
  chosen[1][std::size_t(KeyPlace::Attack)] = PadButton::RightShoulder;
  chosen[1][std::size_t(KeyPlace::Left)] = PadButton::X;
  pad.SetBindings(chosen);
  pad.Button(PadButton::A, true);  // no longer the seal's attack
  pad.Button(PadButton::RightShoulder, true);
  pad.Button(PadButton::X, true);
  pad.Button(PadButton::DpadRight, true);  // still the handheld's right
  pad.StickX(-30000);                      // the stick always steps: left is held by X
  EXPECT_EQ(keys,
            (std::vector<std::pair<bool, std::uint16_t>>{{true, 17}, {true, 37}, {true, 39}}));
}

class SettingsTest : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath(QStringLiteral("floemark/floemark.conf")); }
  void Write(const QByteArray& text) {
    QDir().mkpath(dir_.filePath(QStringLiteral("floemark")));
    QFile file(Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QTemporaryDir dir_;
  QStringList warnings_;
  std::function<void(const QString&)> warn_ = [this](const QString& w) { warnings_ << w; };
};

TEST_F(SettingsTest, WrittenOnlyWhenChangedAndReadBackAsWritten) {
  SettingsStore store(Path(), warn_);
  EXPECT_EQ(store.Current(), Settings{});
  EXPECT_TRUE(store.Change(Settings{}));
  EXPECT_FALSE(QFile::exists(Path()));  // nothing changed, nothing written
  Settings s;
  s.size = 0;
  s.pauseInBackground = true;
  s.keys.keys[0] = 'A';
  s.keys.pad[0][2] = PadButton::DpadDown;
  EXPECT_TRUE(store.Change(s));
  EXPECT_TRUE(QFile::exists(Path()));
  EXPECT_EQ(SettingsStore(Path(), warn_).Current(), s);
  EXPECT_TRUE(warnings_.isEmpty());
}

TEST_F(SettingsTest, ADamagedFileIsSetAsideWithOneLineAndTheDefaultsUsed) {
  const QByteArray damaged[] = {
      "[window]\nsize=4\n",                            // no such size
      "[window]\npause-in-background=maybe\n",         // no such answer
      "[keys]\npenguin-attack=16\npenguin-left=16\n",  // one key twice
      "[pad]\nseal-left=trigger\n",                    // no such button
      "[colours]\nlcd=green\n",                        // nothing this program writes
  };
  for (const QByteArray& text : damaged) {
    warnings_.clear();
    Write(text);
    SettingsStore store(Path(), warn_);
    EXPECT_EQ(store.Current(), Settings{}) << text.constData();
    ASSERT_EQ(warnings_.size(), 1) << text.constData();
    EXPECT_TRUE(warnings_[0].startsWith(QStringLiteral("floemark: the settings ")))
        << text.constData();
    EXPECT_EQ(warnings_[0].count(QLatin1Char('\n')), 1);
    EXPECT_FALSE(QFile::exists(Path()));
    QFile aside(Path() + QStringLiteral(".damaged"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), text);
  }
}

TEST_F(SettingsTest, ScreenshotsAreNamedForTheMomentAndNeverOverwritten) {
  const QDateTime when(QDate(2024, 5, 1), QTime(18, 30, 5));
  const QString first = ScreenshotPath(dir_.path(), when);
  EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("floemark-2024-05-01-183005.png"));
  QFile(first).open(QIODevice::WriteOnly);
  EXPECT_EQ(QFileInfo(ScreenshotPath(dir_.path(), when)).fileName(),
            QStringLiteral("floemark-2024-05-01-183005-2.png"));
  qputenv("XDG_PICTURES_DIR", dir_.path().toLocal8Bit());
  EXPECT_EQ(PicturesFolder(), dir_.path());
  qunsetenv("XDG_PICTURES_DIR");
}

TEST_F(DesktopGameTest, AtEachSizeClicksAndTheWindowKeepToTheConsolesPixels) {
  ConsoleWindow& window = console_.window;
  for (const int size : {2, 3, 1}) {
    window.SetSize(size);
    EXPECT_EQ(window.size(), QSize(741 * size, 388 * size));
    EXPECT_EQ(window.Screenshot().size(), QSize(741 * size, 388 * size));
  }
  window.SetSize(2);
  // POWER at 118, 334 of the console: 236, 668 of the window at 2x.
  const QPointF power(236, 668);
  QMouseEvent press(QEvent::MouseButtonPress, power, window.mapToGlobal(power), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, power, window.mapToGlobal(power), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &press);
  QCoreApplication::sendEvent(&window, &release);
  ASSERT_EQ(seen_.size(), 1u);
  EXPECT_EQ(seen_[0].kind, Command::Click);

  window.SetFullScreen(true);
  EXPECT_TRUE(window.FullScreen());
  const QSize screen = window.size();
  // Centred: as large as the screen allows, the same margin on either side.
  const QPoint offset = window.ConsoleOffset();
  EXPECT_NEAR(offset.x() * 2 + 741 * window.Scale(), screen.width(), 1.0);
  EXPECT_NEAR(offset.y() * 2 + 388 * window.Scale(), screen.height(), 1.0);
  window.SetFullScreen(false);
  EXPECT_EQ(window.size(), QSize(1482, 776));

  // Fitting the screen: as large as its free area allows, the console's shape kept.
  window.SetSize(0);
  const QSize area = window.screen()->availableGeometry().size();
  EXPECT_TRUE(window.width() == area.width() || window.height() == area.height());
  EXPECT_LE(window.width(), area.width());
  EXPECT_LE(window.height(), area.height());
  EXPECT_NEAR(window.Scale(), std::min(area.width() / 741.0, area.height() / 388.0), 1e-9);
}

TEST(HeldSoundTest, ASilentOutputHeldLetsNoTimePassForItsSounds) {
  VirtualClock clock;
  sound::NullOutput output(clock, 1000);  // a frame a millisecond
  auto pcm = std::make_unique<sound::Pcm>();
  pcm->samples.assign(10000, 100);
  output.GetMixer().SetSound(0, std::move(pcm));
  output.GetMixer().Start(0);
  auto at = [&](std::int64_t ms) {
    clock.RunThrough(ms, [](TimerId) {});
    output.Sync();
    return output.GetMixer().Position(0);
  };
  EXPECT_EQ(at(300), 300);
  output.Hold(true);
  EXPECT_EQ(at(2300), 300);
  output.Hold(false);
  EXPECT_EQ(at(2500), 500);
}

}  // namespace
}  // namespace floemark::app
