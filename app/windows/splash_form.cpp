#include "app/windows/splash_form.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <cmath>

#include "app/desktop/desktop.h"
#include "app/desktop/fonts.h"
#include "app/desktop/settings.h"
#include "app/desktop/shell.h"
#include "app/windows/about_details.h"
#include "app/windows/about_form.h"
#include "app/windows/console_window.h"
#include "app/windows/geometry.h"
#include "app/windows/keys_dialog.h"
#include "app/windows/photo_view.h"
#include "app/windows/side_window.h"
#include "drawing/pictures.h"

namespace floemark::app {
namespace {

// A label that reacts to a click of the left button, pressed and released on it.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
      : QLabel(text, parent), onClick_(std::move(onClick)) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override { armed_ = e->button() == Qt::LeftButton; }
  void mouseReleaseEvent(QMouseEvent* e) override {
    const bool click = armed_ && e->button() == Qt::LeftButton && rect().contains(e->pos());
    armed_ = false;
    if (click && onClick_) onClick_();
  }

 private:
  std::function<void()> onClick_;
  bool armed_ = false;
};

QLabel* Place(QLabel* label, const char* name, QRect geometry, const QFont& font, QColor colour) {
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  label->setFont(font);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, colour);
  label->setPalette(pal);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  return label;
}

}  // namespace

SplashForm::SplashForm(ConsoleWindow& console, AboutForm& about)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      console_(console),
      about_(about) {
  SetUpSideWindow(this, "SplashForm", QStringLiteral("About Floemark..."), {246, 306});

  auto* picture = new PhotoView(QStringLiteral("Im_Piccina.jpg"), this);
  picture->setObjectName(QStringLiteral("Im_Piccina"));
  picture->setGeometry(24, 56, 200, 141);

  const QColor aqua(0, 255, 255);
  Place(new QLabel(QString::fromLatin1(kSplashTitle), this), "La_Title", {25, 16, 196, 15},
        ArialFont(12, {.bold = true}), Qt::white);
  Place(new QLabel(QStringLiteral("Version " FLOEMARK_VERSION), this), "La_Version",
        {53, 32, 140, 15}, ArialFont(12, {.bold = true}), Qt::white);
  QLabel* http =
      Place(new LinkLabel(QString::fromLatin1(kWebLink), this, [this] { La_HttpClick(); }),
            "La_Http", {37, 226, 172, 15}, ArialFont(12, {.underline = true}), aqua);
  http->setCursor(Qt::PointingHandCursor);
  QLabel* mail =
      Place(new LinkLabel(QString::fromLatin1(kMailLink), this, [this] { La_EmailClick(); }),
            "La_Email", {21, 248, 204, 15}, ArialFont(12, {.underline = true}), aqua);
  mail->setCursor(Qt::PointingHandCursor);

  auto* play = new QPushButton(QStringLiteral("- PLAY -"), this);
  play->setObjectName(QStringLiteral("Puls_Play"));
  play->setGeometry(90, 272, 65, 25);
  play->setFont(MsSansSerifFont(11, {.bold = true}));
  QPalette bp = play->palette();
  // Text in the desktop's 3-D light colour; the face in its dark shade, so that light text on
  // the light face of today's styles stays readable.
  bp.setColor(QPalette::ButtonText, bp.color(QPalette::Light));
  bp.setColor(QPalette::Button, bp.color(QPalette::Dark));
  play->setPalette(bp);
  play->setCursor(Qt::PointingHandCursor);
  play->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  play->setAutoDefault(false);
  connect(play, &QPushButton::clicked, this, [this] { Puls_PlayClick(); });

  BuildMenu();
}

void SplashForm::BuildMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PM_Menu"));
  auto add = [this](const char* name, const QString& caption, Qt::Key key,
                    void (SplashForm::*handler)()) {
    QAction* action = menu_->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (key != Qt::Key_unknown) action->setShortcut(QKeySequence(key));
    connect(action, &QAction::triggered, this,
            [this, handler] { console_.Live().RunShell([&] { (this->*handler)(); }); });
    return action;
  };
  QAction* about =
      add("PM_1About", QStringLiteral("About..."), Qt::Key_F1, &SplashForm::PM_1AboutClick);
  QFont bold = menu_->font();
  bold.setBold(true);
  about->setFont(bold);
  menu_->setDefaultAction(about);
  menu_->addSeparator()->setObjectName(QStringLiteral("PM_2N1"));
  add("PM_3Readme", QStringLiteral("View 'Readme.txt'"), Qt::Key_F2, &SplashForm::PM_3ReadmeClick);
  add("PM_4Whatsnew", QStringLiteral("View 'Whatsnew.txt'"), Qt::Key_F3,
      &SplashForm::PM_4WhatsnewClick);
  menu_->addSeparator()->setObjectName(QStringLiteral("PM_5N2"));
  add("PM_8Exit", QStringLiteral("E&xit"), Qt::Key_Escape, &SplashForm::PM_8ExitClick);

  // What a desktop game offers besides the handheld, after its own four items.
  menu_->addSeparator()->setObjectName(QStringLiteral("PM_9N3"));
  QMenu* size = menu_->addMenu(QStringLiteral("Size"));
  size->setObjectName(QStringLiteral("PM_Size"));
  sizes_ = new QActionGroup(this);
  for (const int n : {1, 2, 3, 0}) {
    QAction* action =
        size->addAction(n == 0 ? QStringLiteral("Fit the screen") : QStringLiteral("%1x").arg(n));
    action->setObjectName(QStringLiteral("PM_Size%1").arg(n));
    action->setCheckable(true);
    action->setChecked(n == 1);
    action->setData(n);
    if (n == 1) action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    sizes_->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, n] { console_.Live().RunShell([&] { PM_SizeClick(n); }); });
  }
  size->addSeparator();
  QAction* bigger =
      add("PM_Bigger", QStringLiteral("Bigger"), Qt::Key_unknown, &SplashForm::PM_BiggerClick);
  // Ctrl+= is where Ctrl++ lies without Shift on most keyboards.
  bigger->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
  QAction* smaller =
      add("PM_Smaller", QStringLiteral("Smaller"), Qt::Key_unknown, &SplashForm::PM_SmallerClick);
  smaller->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  // Bigger and Smaller belong in the size's menu, but their shortcuts act from the console.
  menu_->removeAction(bigger);
  menu_->removeAction(smaller);
  size->addAction(bigger);
  size->addAction(smaller);
  fullScreen_ = add("PM_FullScreen", QStringLiteral("Full screen"), Qt::Key_F11,
                    &SplashForm::PM_FullScreenClick);
  fullScreen_->setCheckable(true);
  add("PM_Screenshot", QStringLiteral("Save a screenshot"), Qt::Key_F12,
      &SplashForm::PM_ScreenshotClick);
  pause_ = add("PM_Pause", QStringLiteral("Pause"), Qt::Key_P, &SplashForm::PM_PauseClick);
  pause_->setCheckable(true);
  backgroundPause_ = add("PM_BackgroundPause", QStringLiteral("Pause in the background"),
                         Qt::Key_unknown, &SplashForm::PM_BackgroundPauseClick);
  backgroundPause_->setCheckable(true);
  add("PM_Keys", QStringLiteral("Keys..."), Qt::Key_unknown, &SplashForm::PM_KeysClick);
  connect(&console_, &ConsoleWindow::PausedChanged, pause_, &QAction::setChecked);
}

void SplashForm::UseSettings(SettingsStore& store,
                             std::function<void(const KeyBindings&)> keysChanged) {
  store_ = &store;
  keysChanged_ = std::move(keysChanged);
  const Settings& s = store.Current();
  console_.SetSize(s.size);
  console_.SetPauseInBackground(s.pauseInBackground);
  console_.SetKeyBindings(s.keys);
  if (keysChanged_) keysChanged_(s.keys);
  ShowSettings();
}

void SplashForm::ShowSettings() {
  for (QAction* a : sizes_->actions()) a->setChecked(a->data().toInt() == console_.Size());
  fullScreen_->setChecked(console_.FullScreen());
  pause_->setChecked(console_.Paused());
  if (store_) backgroundPause_->setChecked(store_->Current().pauseInBackground);
}

void SplashForm::KeepSize() {
  if (!store_) return;
  Settings s = store_->Current();
  s.size = console_.Size();
  store_->Change(s);
}

void SplashForm::PM_SizeClick(int size) {
  console_.SetSize(size);
  KeepSize();
  ShowSettings();
}

void SplashForm::PM_BiggerClick() {
  // The next whole size above the one shown (fitting the screen may lie between two).
  const int next = int(std::floor(console_.Scale() + 1e-6)) + 1;
  if (next <= 3 && !console_.FullScreen()) PM_SizeClick(next);
}

void SplashForm::PM_SmallerClick() {
  const int next = int(std::ceil(console_.Scale() - 1e-6)) - 1;
  if (next >= 1 && !console_.FullScreen()) PM_SizeClick(next);
}

void SplashForm::PM_FullScreenClick() {
  console_.SetFullScreen(!console_.FullScreen());
  ShowSettings();
}

void SplashForm::PM_ScreenshotClick() {
  const QString folder = pictures_.isEmpty() ? PicturesFolder() : pictures_;
  QDir().mkpath(folder);
  const QString path = ScreenshotPath(folder, QDateTime::currentDateTime());
  // Written whole under another name first: the file that appears is a whole picture.
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly) && console_.Screenshot().save(&file, "PNG") && file.commit())
    console_.ShowNotice(QStringLiteral("Screenshot saved: %1").arg(path));
  else
    console_.ShowNotice(QStringLiteral("No screenshot: %1 cannot be written").arg(path));
}

void SplashForm::PM_PauseClick() {
  console_.SetPaused(!console_.Paused());
  ShowSettings();
}

void SplashForm::PM_BackgroundPauseClick() {
  const bool on = backgroundPause_->isChecked();
  console_.SetPauseInBackground(on);
  if (!store_) return;
  Settings s = store_->Current();
  s.pauseInBackground = on;
  store_->Change(s);
}

void SplashForm::PM_KeysClick() {
  const KeyBindings was = store_ ? store_->Current().keys : KeyBindings{};
  KeysDialog dialog(was, &console_);
  dialog.setWindowFlag(Qt::Window);
  if (dialog.exec() != QDialog::Accepted) return;
  console_.SetKeyBindings(dialog.Chosen());
  if (keysChanged_) keysChanged_(dialog.Chosen());
  if (!store_) return;
  Settings s = store_->Current();
  s.keys = dialog.Chosen();
  store_->Change(s);
}

void SplashForm::ShowCentred() {
  const QMargins frame = FrameExtents(this);
  const QPoint at = CentredOnPrimary(size().grownBy(frame));
  // The client area's own place (static gravity): the manager puts its frame round it.
  setGeometry(QRect(at + QPoint(frame.left(), frame.top()), size()));
  show();
}

void SplashForm::ShowAgain() {
  show();
  raise();
  activateWindow();
}

void SplashForm::Puls_PlayClick() {
  // A Wayland compositor places the console itself, wherever it was asked to.
  console_.move(CentredOnPrimary(console_.frameGeometry().size()));
  hide();  // for good: nothing shows the splash again
  // Where a window manager runs, the console has waited unmapped for this moment.
  if (!console_.isVisible()) console_.show();
  console_.Activate();
}

void SplashForm::closeEvent(QCloseEvent* event) {
  event->ignore();  // PLAY hides it
  console_.Live().RunShell([this] { Puls_PlayClick(); });
}

void SplashForm::La_HttpClick() { ShellOpenLink(QString::fromLatin1(kWebLink)); }
void SplashForm::La_EmailClick() { ShellOpenLink(QString::fromLatin1(kMailLink)); }
void SplashForm::PM_1AboutClick() { about_.ShowOrRaise(); }
void SplashForm::PM_3ReadmeClick() { ShellOpenDocument(QStringLiteral(".\\README.TXT")); }
void SplashForm::PM_4WhatsnewClick() { ShellOpenDocument(QStringLiteral(".\\WHATSNEW.TXT")); }
void SplashForm::PM_8ExitClick() { QCoreApplication::quit(); }

}  // namespace floemark::app
