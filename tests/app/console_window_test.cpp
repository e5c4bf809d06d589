// The console window's mouse handling on the real widget (offscreen): which press starts a
// drag, how the window follows, where a click goes.
#include "app/windows/console_window.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>

#include "test_console.h"

namespace floemark::app {
namespace {

using namespace panel;

class ConsoleWindowTest : public ::testing::Test {
 protected:
  ConsoleWindowTest() { window_.move(100, 200); }

  void Send(QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons held,
            Qt::KeyboardModifiers mods = Qt::NoModifier) {
    const QPointF global = QPointF(window_.pos() + local);
    QMouseEvent event(type, QPointF(local), global, button, held, mods);
    QCoreApplication::sendEvent(&window_, &event);
  }
  // Press at a client point, move the mouse by (dx, dy) in three steps, release.
  void Drag(QPoint at, int dx, int dy, Qt::MouseButton button = Qt::LeftButton,
            Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Send(QEvent::MouseButtonPress, at, button, button, mods);
    const QPoint start = window_.pos() + at;
    for (int i = 1; i <= 3; ++i) {
      // The mouse's screen position moves; the client point follows the window as it goes.
      const QPoint global = start + QPoint(dx * i / 3, dy * i / 3);
      Send(QEvent::MouseMove, global - window_.pos(), Qt::NoButton, button, mods);
    }
    Send(QEvent::MouseButtonRelease, start + QPoint(dx, dy) - window_.pos(), button, Qt::NoButton);
  }

  testing::TestConsole console_;
  ConsoleWindow& window_ = console_.window;
  QStringList& reports_ = console_.reports;
};

TEST_F(ConsoleWindowTest, LeftDragOnEverySurfaceMovesTheWindowByTheMouseTravel) {
  const QPoint surfaces[] = {
      {5, 5},      // Im_Base
      {60, 330},   // Puls_PenguinAttack
      {660, 330},  // Puls_SealRight
      {150, 120},  // Im_ScreenLeftTop, over the screen
      {500, 120},  // Im_ScreeRightTop
  };
  for (const QPoint& p : surfaces) {
    const QPoint before = window_.pos();
    Drag(p, 37, -22);
    EXPECT_EQ(window_.pos(), before + QPoint(37, -22)) << p.x() << "," << p.y();
  }
  // Shift and Ctrl make no difference.
  const QPoint before = window_.pos();
  Drag({5, 5}, -10, 15, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(window_.pos(), before + QPoint(-10, 15));
}

TEST_F(ConsoleWindowTest, NoDragWithoutTheLeftButtonOrFromOtherComponents) {
  const QPoint start = window_.pos();
  Drag({5, 5}, 40, 40, Qt::RightButton);
  Drag({5, 5}, 40, 40, Qt::MiddleButton);
  Drag({90, 197}, 40, 40);   // a score slot lies above the screen's top layer
  Drag({110, 330}, 40, 40);  // the power button
  // Moving with no button held.
  Send(QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
  Send(QEvent::MouseMove, {50, 60}, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(window_.pos(), start);
}

TEST_F(ConsoleWindowTest, HiddenComponentsLetTheMouseThrough) {
  Panel& panel = window_.Form().Components;
  // The hidden picture source Puls_On lies on the photograph: the photograph takes the press.
  EXPECT_EQ(panel.HitTest(140, 365), Im_Base);
  const QPoint before = window_.pos();
  Drag({140, 365}, 12, 8);
  EXPECT_EQ(window_.pos(), before + QPoint(12, 8));
  // A hidden key indicator lets the photograph take it; a segment under the top layer never does.
  panel.SetVisible(Puls_PenguinLeft, false);
  EXPECT_EQ(panel.HitTest(230, 330), Im_Base);
  panel.SetVisible(Im_BombP35, true);
  EXPECT_EQ(panel.HitTest(160, 160), Im_ScreenLeftTop);
  // Shown, the picture source takes the mouse itself and starts no drag.
  panel.SetVisible(Puls_On, true);
  EXPECT_EQ(panel.HitTest(140, 365), Puls_On);
  const QPoint now = window_.pos();
  Drag({140, 365}, 12, 8);
  EXPECT_EQ(window_.pos(), now);
}

TEST_F(ConsoleWindowTest, ConsoleButtonsClickOnReleaseOverThemAndOncePerDoubleClick) {
  Panel& panel = window_.Form().Components;
  const QPoint power(118, 334);  // Puls_Power: 104, 320, 28 x 28
  Send(QEvent::MouseButtonPress, power, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(panel.Picture(Puls_Power), kNoPicture);  // nothing until the release
  Send(QEvent::MouseButtonRelease, power, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel.Picture(Puls_Power), Puls_On);
  EXPECT_EQ(panel.Hint(Puls_Power), "Press to turn game off");
  EXPECT_TRUE(panel.TakeDamage().none());  // handed to the painter
  // Released off the button: no click.
  Send(QEvent::MouseButtonPress, power, Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, {300, 300}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel.Picture(Puls_Power), Puls_On);
  // The right button clicks nothing.
  Send(QEvent::MouseButtonPress, power, Qt::RightButton, Qt::RightButton);
  Send(QEvent::MouseButtonRelease, power, Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(panel.Picture(Puls_Power), Puls_On);
  // A double click on the select button switches it once.
  const QPoint select(158, 334);
  Send(QEvent::MouseButtonPress, select, Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, select, Qt::LeftButton, Qt::NoButton);
  Send(QEvent::MouseButtonDblClick, select, Qt::LeftButton, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, select, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(panel.Picture(Puls_Select), Puls_Off);
  EXPECT_TRUE(window_.Form().TwoPlayers);
}

TEST_F(ConsoleWindowTest, HeldKeyGivesKeyDownsOnlyUntilItsRealRelease) {
  Panel& panel = window_.Form().Components;
  auto key = [&](QEvent::Type type, int code, bool autoRepeat, const QString& text = {}) {
    QKeyEvent event(type, code, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(&window_, &event);
  };
  key(QEvent::KeyPress, Qt::Key_Shift, false);
  EXPECT_FALSE(panel.Visible(Puls_PenguinAttack));
  // X11's auto-repeat: release+press pairs flagged as repeats; the key stays down.
  for (int i = 0; i < 3; ++i) {
    key(QEvent::KeyRelease, Qt::Key_Shift, true);
    key(QEvent::KeyPress, Qt::Key_Shift, true);
    EXPECT_FALSE(panel.Visible(Puls_PenguinAttack));
  }
  key(QEvent::KeyRelease, Qt::Key_Shift, false);
  EXPECT_TRUE(panel.Visible(Puls_PenguinAttack));
  // "Z" down with Shift and "z" up without: one key, matched by its code.
  key(QEvent::KeyPress, Qt::Key_Z, false, QStringLiteral("Z"));
  EXPECT_FALSE(panel.Visible(Puls_PenguinLeft));
  key(QEvent::KeyRelease, Qt::Key_Z, false, QStringLiteral("z"));
  EXPECT_TRUE(panel.Visible(Puls_PenguinLeft));
  // Either arrow of the seal; every change was handed to the painter.
  key(QEvent::KeyPress, Qt::Key_Right, false);
  EXPECT_FALSE(panel.Visible(Puls_SealRight));
  EXPECT_TRUE(panel.TakeDamage().none());
}

TEST_F(ConsoleWindowTest, KeysGoByTheLettersOfTheLayoutOrByTheirPlace) {
  Panel& panel = window_.Form().Components;
  auto key = [&](QEvent::Type type, int code, quint32 scanCode) {
    QKeyEvent event(type, code, Qt::NoModifier, scanCode, 0, 0);
    QCoreApplication::sendEvent(&window_, &event);
  };
  // Russian: Я on the key at the US Z's place, С at the US C's, also with Ctrl held.
  key(QEvent::KeyPress, 0x042F, 52);
  EXPECT_FALSE(panel.Visible(Puls_PenguinLeft));
  key(QEvent::KeyRelease, 0x042F, 52);
  EXPECT_TRUE(panel.Visible(Puls_PenguinLeft));
  key(QEvent::KeyPress, 0x0421, 54);
  EXPECT_FALSE(panel.Visible(Puls_PenguinRight));
  key(QEvent::KeyRelease, 0x0421, 54);
  // German: the key at the US Z's place gives Y and leaves the penguin's key alone.
  key(QEvent::KeyPress, Qt::Key_Y, 52);
  EXPECT_TRUE(panel.Visible(Puls_PenguinLeft));
  key(QEvent::KeyRelease, Qt::Key_Y, 52);
  key(QEvent::KeyPress, Qt::Key_Z, 29);
  EXPECT_FALSE(panel.Visible(Puls_PenguinLeft));
  key(QEvent::KeyRelease, Qt::Key_Z, 29);
  EXPECT_TRUE(panel.Visible(Puls_PenguinLeft));
}

TEST_F(ConsoleWindowTest, ShownAtPlayTheFirstActivationRunsWithTheEventLoop) {
  int shown = 0;
  window_.SetFirstActivationAction([&] { ++shown; });
  FirstActivation = true;
  window_.ShowAtPlay();
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(shown, 0);  // not before the event loop runs
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(FirstActivation);
  EXPECT_FALSE(window_.isVisible());  // the console still waits for PLAY
  window_.FormActivate();
  EXPECT_EQ(shown, 1);
}

TEST(ConsoleWindowBody, TheRoundedCornersAreTheDesktopsAndStartNoDrag) {
  testing::TestConsole console(drawing::PanelPictures::FromResources());
  ConsoleWindow& window = console.window;
  const drawing::PanelPictures& pictures = console.pictures;
  window.move(100, 200);
  // Off any compositing desktop the window's shape leaves the corners out.
  EXPECT_EQ(window.mask(), pictures.Body());
  EXPECT_FALSE(window.mask().contains(QPoint(1, 1)));
  auto drag = [&](QPoint at) {
    auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButton button,
                    Qt::MouseButtons held) {
      QMouseEvent event(type, QPointF(global - window.pos()), QPointF(global), button, held,
                        Qt::NoModifier);
      QCoreApplication::sendEvent(&window, &event);
    };
    const QPoint start = window.pos() + at;
    send(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
  };
  drag({1, 1});
  EXPECT_EQ(window.pos(), QPoint(100, 200));
  drag({100, 100});
  EXPECT_EQ(window.pos(), QPoint(130, 220));
}

TEST_F(ConsoleWindowTest, FirstActivationShowsTheSplashOnce) {
  int shown = 0;
  window_.SetFirstActivationAction([&] { ++shown; });
  FirstActivation = true;
  window_.FormActivate();
  window_.FormActivate();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(FirstActivation);
}

}  // namespace
}  // namespace floemark::app
