// The splash and about windows with the console (offscreen): PLAY, the menu, the about window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolTip>

#include "app/desktop/fonts.h"
#include "app/windows/about_form.h"
#include "app/windows/console_window.h"
#include "app/windows/error_box.h"
#include "app/windows/geometry.h"
#include "app/windows/splash_form.h"
#include "base/virtual_clock.h"
#include "test_console.h"

namespace floemark::app {
namespace {

class ShellWindowsTest : public ::testing::Test {
 protected:
  ShellWindowsTest() : splash_(console_, about_) {}

  testing::TestConsole test_;
  ConsoleWindow& console_ = test_.window;
  AboutForm about_;
  SplashForm splash_;
};

TEST_F(ShellWindowsTest, PlayCentresTheConsoleAndHidesTheSplashForGood) {
  splash_.ShowCentred();
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  // With no frame reported by a window manager, its client area is what is centred.
  EXPECT_EQ(splash_.geometry(),
            QRect((screen.width() - 246) / 2, (screen.height() - 306) / 2, 246, 306));
  EXPECT_TRUE(splash_.isVisible());
  splash_.Puls_PlayClick();
  const Point centre = CentredPosition(screen.width(), screen.height(), 741, 388);
  EXPECT_EQ(console_.pos(), QPoint(centre.x, centre.y));
  EXPECT_FALSE(splash_.isVisible());
}

TEST_F(ShellWindowsTest, ClosingTheSplashIsPlay) {
  splash_.ShowCentred();
  EXPECT_FALSE(splash_.close());  // refused: PLAY hides it instead
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  const Point centre = CentredPosition(screen.width(), screen.height(), 741, 388);
  EXPECT_EQ(console_.pos(), QPoint(centre.x, centre.y));
  EXPECT_FALSE(splash_.isVisible());
  EXPECT_TRUE(console_.isVisible());
}

TEST_F(ShellWindowsTest, OnAManagedDesktopPlayShowsTheConsoleWhereItBelongs) {
  console_.SetFirstActivationAction([this] { splash_.ShowAgain(); });
  FirstActivation = true;
  splash_.ShowCentred();
  console_.ShowAtPlay();
  QCoreApplication::processEvents();
  EXPECT_FALSE(FirstActivation);
  EXPECT_TRUE(splash_.isVisible());
  EXPECT_FALSE(console_.isVisible());
  splash_.Puls_PlayClick();
  EXPECT_TRUE(console_.isVisible());
  EXPECT_FALSE(splash_.isVisible());
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  const Point centre = CentredPosition(screen.width(), screen.height(), 741, 388);
  EXPECT_EQ(console_.pos(), QPoint(centre.x, centre.y));
  // Its activation now finds FirstActivation clear: the splash stays hidden.
  console_.FormActivate();
  EXPECT_FALSE(splash_.isVisible());
}

TEST_F(ShellWindowsTest, MenuItemsShortcutsAndTheirPlaceOnTheConsole) {
  QMenu* menu = splash_.Menu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->parent(), &splash_);  // owned by the splash, opened on the console
  QStringList items;
  for (QAction* a : menu->actions())
    items << (a->isSeparator() ? QStringLiteral("-") : a->text() + " " + a->shortcut().toString());
  // The handheld's four items keep their order and shortcuts; the desktop's follow.
  EXPECT_EQ(items,
            (QStringList{"About... F1", "-", "View 'Readme.txt' F2", "View 'Whatsnew.txt' F3", "-",
                         "E&xit Esc", "-", "Size ", "Full screen F11", "Save a screenshot F12",
                         "Pause P", "Pause in the background ", "Keys... "}));
  QStringList sizes;
  for (QAction* a : menu->findChild<QMenu*>(QStringLiteral("PM_Size"))->actions())
    sizes << (a->isSeparator() ? QStringLiteral("-") : a->text() + " " + a->shortcut().toString());
  EXPECT_EQ(sizes, (QStringList{"1x Ctrl+0", "2x ", "3x ", "Fit the screen ", "-",
                                "Bigger Ctrl+=", "Smaller Ctrl+-"}));
  EXPECT_EQ(menu->defaultAction(), menu->actions().first());
  EXPECT_TRUE(menu->actions().first()->font().bold());
  console_.SetPopupMenu(menu);
  // The shortcuts act only while the console window itself has the focus.
  for (QAction* a : menu->actions()) {
    if (a->isSeparator() || a->menu()) continue;
    EXPECT_EQ(a->shortcutContext(), Qt::WidgetShortcut) << a->text().toStdString();
    EXPECT_TRUE(console_.actions().contains(a)) << a->text().toStdString();
  }
}

TEST_F(ShellWindowsTest, OneAboutWindowShownWhereItWasLeft) {
  int closed = 0;
  about_.SetOnClose([&] { ++closed; });
  EXPECT_FALSE(about_.isVisible());
  EXPECT_EQ(about_.pos(), QPoint(0, 0));
  splash_.PM_1AboutClick();
  splash_.PM_1AboutClick();
  EXPECT_TRUE(about_.isVisible());
  about_.move(40, 30);
  about_.close();
  EXPECT_FALSE(about_.isVisible());
  EXPECT_EQ(closed, 1);
  splash_.PM_1AboutClick();
  EXPECT_EQ(about_.pos(), QPoint(40, 30));
  EXPECT_EQ(about_.size(), QSize(275, 224));
  EXPECT_EQ(about_.windowTitle(), QStringLiteral("About the author..."));
}

TEST_F(ShellWindowsTest, LinksAreTheTextsTheyOpenAndLeadNowhereReal) {
  const auto* http = splash_.findChild<QLabel*>(QStringLiteral("La_Http"));
  const auto* mail = splash_.findChild<QLabel*>(QStringLiteral("La_Email"));
  ASSERT_TRUE(http && mail);
  EXPECT_EQ(http->text(), QString::fromLatin1(kWebLink));
  EXPECT_EQ(mail->text(), QString::fromLatin1(kMailLink));
  EXPECT_TRUE(http->text().contains(QStringLiteral(".example.org")));
  EXPECT_TRUE(mail->text().startsWith(QStringLiteral("mailto:")));
  EXPECT_TRUE(mail->text().endsWith(QStringLiteral("@example.org")));
  // Arial's stand-in with Arial's metrics, or the fixed labels would overflow.
  EXPECT_EQ(QFontInfo(http->font()).family(), QStringLiteral("Liberation Sans"));
  // Every label's text fits its fixed size in the fonts the program asks for.
  for (const QLabel* label : splash_.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
        << label->objectName().toStdString();
  }
  for (const QLabel* label : about_.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
        << label->objectName().toStdString();
  }
}

TEST_F(ShellWindowsTest, EveryTextOfTheProgramIsInTheWindowsFace) {
  // As the program does at start, before its windows exist: a desktop theme's own faces for
  // menus, tool tips and message boxes go, and every class takes the windows' face.
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9), "QMenu");
  UseWindowFontEverywhere();
  AboutForm about;
  SplashForm splash(console_, about);
  auto family = [](const QFont& f) { return QFontInfo(f).family(); };
  const QString face = QStringLiteral("Liberation Sans");
  EXPECT_EQ(family(splash.Menu()->font()), face);
  EXPECT_EQ(QFontInfo(splash.Menu()->font()).pixelSize(), 11);
  EXPECT_EQ(family(splash.Menu()->actions().first()->font()), face);  // About..., in bold
  EXPECT_EQ(family(QToolTip::font()), face);
  const auto box = MakeErrorBox(QStringLiteral("Cannot load the sound file SOUND/GOT.WAV."));
  EXPECT_EQ(family(box->font()), face);
  for (const QWidget* part : box->findChildren<QWidget*>())
    EXPECT_EQ(family(part->font()), face) << part->metaObject()->className();
  for (const QWidget* window : {static_cast<QWidget*>(&splash), static_cast<QWidget*>(&about)}) {
    for (const QWidget* part : window->findChildren<QWidget*>())
      EXPECT_EQ(family(part->font()), face) << part->objectName().toStdString();
  }
}

}  // namespace
}  // namespace floemark::app
