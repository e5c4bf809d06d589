// Game pads through SDL's real event path, with SDL's virtual joysticks standing in for pads:
// what a pad's buttons and stick give, how pads take and free the two sides, and a pad and the
// keyboard playing one console together.
#include "app/input/gamepads.h"

#include <SDL.h>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <string>
#include <vector>

#include "app/input/input_waker.h"
#include "app/windows/console_window.h"
#include "base/virtual_clock.h"
#include "game/keys.h"
#include "sound/null_output.h"
#include "support/scratch_dir.h"
#include "test_console.h"

namespace floemark::app {
namespace {

using ::testing::ElementsAre;

// One virtual pad with a game controller's buttons and axes: plugged in at construction,
// unplugged at destruction or by Unplug().
class VirtualPad {
 public:
  VirtualPad() {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.name = "Virtual pad";
    index_ = SDL_JoystickAttachVirtualEx(&d);
    joystick_ = index_ >= 0 ? SDL_JoystickOpen(index_) : nullptr;
    id_ = joystick_ ? SDL_JoystickInstanceID(joystick_) : -1;
  }
  ~VirtualPad() { Unplug(); }
  // The buttons and axes of a game controller's own layout.
  void Button(SDL_GameControllerButton b, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, b, down ? 1 : 0);
  }
  void StickX(int value) {
    SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(value));
  }
  void Unplug() {
    if (!joystick_) return;
    SDL_JoystickClose(joystick_);
    // The device index moves as others come and go; the instance id does not.
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id_) SDL_JoystickDetachVirtual(i);
    joystick_ = nullptr;
  }

 private:
  int index_ = -1;
  SDL_JoystickID id_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

// SDL's joysticks kept up for the test, so that virtual pads outlive the Gamepads under test.
class GamepadsTest : public ::testing::Test {
 protected:
  GamepadsTest() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
  ~GamepadsTest() override { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }

  static std::string Line(bool down, std::uint16_t key) {
    return (down ? "down " : "up ") + std::to_string(key);
  }
  PadKeys::KeyFn Log() {
    return [this](bool down, std::uint16_t key) { keys.push_back(Line(down, key)); };
  }
  std::vector<std::string> Take() { return std::exchange(keys, {}); }
  // The virtual pads are SDL's alone: the kernel knows of none.
  static bool Plugged() { return true; }

  std::vector<std::string> keys;
};

TEST_F(GamepadsTest, ButtonsAndDpadAreTheSidesKeysOnePressPerKey) {
  Gamepads pads(Log(), nullptr, Plugged);
  ASSERT_TRUE(pads.Working()) << pads.Error();
  VirtualPad penguin, seal;
  pads.Update();
  ASSERT_EQ(pads.PadCount(), 2);
  EXPECT_EQ(pads.SideOfPad(0), 1);
  EXPECT_EQ(pads.SideOfPad(1), 2);

  penguin.Button(SDL_CONTROLLER_BUTTON_A, true);
  pads.Update();
  // Start while A is held is the same key: no second press; it is up only when both are.
  penguin.Button(SDL_CONTROLLER_BUTTON_START, true);
  pads.Update();
  penguin.Button(SDL_CONTROLLER_BUTTON_A, false);
  pads.Update();
  penguin.Button(SDL_CONTROLLER_BUTTON_START, false);
  pads.Update();
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::Shift), Line(false, vk::Shift)));

  for (auto [button, down] : {std::pair{SDL_CONTROLLER_BUTTON_DPAD_LEFT, true},
                              {SDL_CONTROLLER_BUTTON_B, true},
                              {SDL_CONTROLLER_BUTTON_DPAD_LEFT, false},
                              {SDL_CONTROLLER_BUTTON_B, false},
                              {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true}}) {
    penguin.Button(button, down);
    pads.Update();
  }
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::Z), Line(true, vk::Shift), Line(false, vk::Z),
                                  Line(false, vk::Shift), Line(true, vk::C)));

  // The seal's pad: its left is the left arrow, which walks the mirrored seal to its ladder.
  seal.Button(SDL_CONTROLLER_BUTTON_B, true);
  seal.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  seal.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  // Buttons the game has no key for do nothing.
  seal.Button(SDL_CONTROLLER_BUTTON_X, true);
  seal.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  pads.Update();
  EXPECT_THAT(Take(),
              ElementsAre(Line(true, vk::Ctrl), Line(true, vk::Left), Line(true, vk::Right)));
}

TEST_F(GamepadsTest, TheStickPressesPastHalfItsTravelAndLetsGoBelowAThird) {
  Gamepads pads(Log(), nullptr, Plugged);
  VirtualPad pad;
  pads.Update();
  auto at = [&](int value) {
    pad.StickX(value);
    pads.Update();
  };
  at(10000);
  at(16000);  // short of half the travel
  EXPECT_TRUE(Take().empty());
  at(16384);
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::C)));
  // Wobbling between a third and a half, and back out to the end: still the one press.
  for (int v : {11000, 15000, 10924, 32767, 12000}) at(v);
  EXPECT_TRUE(Take().empty());
  at(10922);
  EXPECT_THAT(Take(), ElementsAre(Line(false, vk::C)));
  // Flung from one side to the other: the first key is let go before the other is pressed.
  at(-20000);
  at(25000);
  at(0);
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::Z), Line(false, vk::Z), Line(true, vk::C),
                                  Line(false, vk::C)));
  // Stick and d-pad toward one side are one key: down with the first, up with the last.
  at(-30000);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  pads.Update();
  at(0);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  pads.Update();
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::Z), Line(false, vk::Z)));
}

TEST_F(GamepadsTest, UnpluggedPadsLetGoAndFreeTheirSideForTheNext) {
  Gamepads pads(Log(), nullptr, Plugged);
  EXPECT_FALSE(pads.Polling());  // nothing to poll without a pad
  auto first = std::make_unique<VirtualPad>();
  VirtualPad second;
  pads.Update();
  EXPECT_TRUE(pads.Polling());
  auto third = std::make_unique<VirtualPad>();
  pads.Update();
  ASSERT_EQ(pads.PadCount(), 3);
  EXPECT_EQ(pads.SideOfPad(2), 0);  // both sides taken: it waits

  // Unplugged with its key held: the key comes up, and the waiting pad takes the side.
  first->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  pads.Update();
  first.reset();
  pads.Update();
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::C), Line(false, vk::C)));
  ASSERT_EQ(pads.PadCount(), 2);
  EXPECT_EQ(pads.SideOfPad(0), 2);  // the second keeps the seal
  EXPECT_EQ(pads.SideOfPad(1), 1);
  third->Button(SDL_CONTROLLER_BUTTON_A, true);
  pads.Update();
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::Shift)));

  // With every pad gone the polling stops.
  third.reset();
  second.Unplug();
  pads.Update();
  EXPECT_EQ(pads.PadCount(), 0);
  EXPECT_THAT(Take(), ElementsAre(Line(false, vk::Shift)));
  EXPECT_FALSE(pads.Polling());
  // A pad plugged in later is found at the next look and plays the penguin.
  VirtualPad late;
  pads.Update();
  ASSERT_EQ(pads.PadCount(), 1);
  EXPECT_EQ(pads.SideOfPad(0), 1);
}

TEST_F(GamepadsTest, StartOnlyOnceTheKernelKnowsOfAPad) {
  bool plugged = false;
  Gamepads pads(Log(), nullptr, [&] { return plugged; });
  EXPECT_FALSE(pads.Working());
  VirtualPad pad;
  pads.Look();
  EXPECT_FALSE(pads.Working());
  EXPECT_EQ(pads.PadCount(), 0);
  // Started by the look that finds a pad, which then sees the pads there already.
  plugged = true;
  pads.Look();
  ASSERT_TRUE(pads.Working()) << pads.Error();
  EXPECT_EQ(pads.PadCount(), 1);
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  pads.Update();
  EXPECT_THAT(Take(), ElementsAre(Line(true, vk::Shift)));
}

TEST_F(GamepadsTest, PollsWhileAPadIsPluggedIn) {
  Gamepads pads(Log(), nullptr, Plugged);
  VirtualPad pad;
  pads.Update();
  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  // No Update() by hand: the poll timer takes the press.
  QElapsedTimer waited;
  waited.start();
  while (keys.empty() && waited.elapsed() < 2000)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  EXPECT_THAT(keys, ElementsAre(Line(true, vk::Shift)));
}

// SDL's virtual pads always take SDL's own mapping, so a made-up USB pad stands for one the
// database lacks: its mapping is in SDL's table once the pads start with the variable set. (No
// fixture: SDL reads the variable when its joysticks start, which the pads must do themselves.)
TEST(GamepadsEnvironmentTest, MappingsFromTheEnvironmentAreTakenForPadsTheDatabaseLacks) {
  auto Log = [] { return [](bool, std::uint16_t) {}; };
  const char* guid = "03000000341200007856000001000000";  // USB, vendor 1234, product 5678
  const SDL_JoystickGUID id = SDL_JoystickGetGUIDFromString(guid);
  {
    Gamepads pads(Log(), nullptr, [] { return true; });
    ASSERT_TRUE(pads.Working());
    EXPECT_EQ(SDL_GameControllerMappingForGUID(id), nullptr);
  }
  const std::string mapping = std::string(guid) + ",Home-made pad,a:b3,start:b6,dpleft:h0.8,";
  setenv("SDL_GAMECONTROLLERCONFIG", mapping.c_str(), 1);
  {
    Gamepads pads(Log(), nullptr, [] { return true; });
    char* known = SDL_GameControllerMappingForGUID(id);
    ASSERT_NE(known, nullptr);
    EXPECT_THAT(std::string(known),
                ::testing::StartsWith(std::string(guid) + ",Home-made pad,a:b3"));
    SDL_free(known);
  }
  unsetenv("SDL_GAMECONTROLLERCONFIG");
}

// A pad and the keyboard on one console window: the pad's presses reach the same handlers, so
// its side's key indicator and latch behave as the keyboard's do, and the two share the latch.
TEST_F(GamepadsTest, PadAndKeyboardPlayTheConsoleTogether) {
  testing::ScratchDir dir(testing::kAllCues);
  testing::TestConsole console;
  ConsoleWindow& window = console.window;
  Gamepads pads(
      [&](bool down, std::uint16_t key) {
        if (down)
          window.VirtualKeyDown(key);
        else
          window.VirtualKeyUp(key);
      },
      nullptr, Plugged);
  VirtualPad pad;
  pads.Update();
  TForm1& f = window.Form();
  auto keyboard = [&](QEvent::Type type, int code) {
    QKeyEvent event(type, code, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
  };
  auto press = [&](SDL_GameControllerButton b, bool down) {
    pad.Button(b, down);
    pads.Update();
  };

  f.Puls_PowerClick();
  press(SDL_CONTROLLER_BUTTON_A, true);  // starts a one-player game as the penguin
  EXPECT_TRUE(f.GameRunning);
  EXPECT_TRUE(f.IsHuman[1]);
  EXPECT_FALSE(f.IsHuman[2]);
  EXPECT_FALSE(f.Components.Visible(panel::Puls_PenguinAttack));
  press(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_TRUE(f.Components.Visible(panel::Puls_PenguinAttack));
  f.Timer_AvvioTimer();  // the end of the start delay
  ASSERT_TRUE(f.InputEnabled[1]);
  ASSERT_EQ(f.PlayerPos[1], 4);

  // The pad's left steps once however long it is held...
  press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  EXPECT_EQ(f.PlayerPos[1], 3);
  EXPECT_FALSE(f.Components.Visible(panel::Puls_PenguinLeft));
  // ...and holds the latch for the keyboard's keys too.
  keyboard(QEvent::KeyPress, Qt::Key_Z);
  EXPECT_EQ(f.PlayerPos[1], 3);
  // Releasing the keyboard's key frees the shared latch, as one of the player's keys would.
  keyboard(QEvent::KeyRelease, Qt::Key_Z);
  keyboard(QEvent::KeyPress, Qt::Key_C);
  EXPECT_EQ(f.PlayerPos[1], 4);
  press(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  keyboard(QEvent::KeyRelease, Qt::Key_C);
  press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(f.PlayerPos[1], 5);
  EXPECT_TRUE(f.Components.Visible(panel::Puls_PenguinLeft));
}

// The waker on a named pipe, which like an input node wakes a reader when written to.
TEST(InputWakerTest, LooksAtTheFirstNewsAndThenAtMostOncePerPeriodUntilTheNodeGoes) {
  testing::ScratchDir dir;
  const std::string fifo = (dir.Root() / "pad").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  int looks = 0;
  InputWaker waker(QString::fromStdString(fifo), 50, [&] { ++looks; });
  ASSERT_TRUE(waker.Working());
  const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  auto run = [](int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  };
  run(100);
  EXPECT_EQ(looks, 0);  // quiet: never woken
  ASSERT_EQ(::write(writer, "x", 1), 1);
  run(20);
  EXPECT_EQ(looks, 1);  // at once
  // A stream of news for 400 ms: one look per 50 ms at the most, none lost at the end.
  QElapsedTimer busy;
  busy.start();
  while (busy.elapsed() < 400) {
    ASSERT_EQ(::write(writer, "x", 1), 1);
    run(2);
  }
  run(120);
  EXPECT_GE(looks, 5);
  EXPECT_LE(looks, 1 + 400 / 50 + 1);
  // The node goes (the writer hangs up): one last look, then quiet for good.
  const int before = looks;
  ::close(writer);
  run(200);
  EXPECT_FALSE(waker.Working());
  EXPECT_EQ(looks, before + 1);
  // A node that can't be opened makes no waker.
  InputWaker none(QString::fromStdString((dir.Root() / "missing").string()), 50, [] {});
  EXPECT_FALSE(none.Working());
}

}  // namespace
}  // namespace floemark::app
