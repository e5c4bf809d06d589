#include "app/windows/splash_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "app/desktop/desktop.h"
#include "app/desktop/fonts.h"
#include "app/desktop/shell.h"
#include "app/windows/about_form.h"
#include "app/windows/console_window.h"
#include "app/windows/geometry.h"
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
  Place(new QLabel(QStringLiteral("Floemark (Korvane) Simulator"), this), "La_Title",
        {25, 16, 196, 15}, ArialFont(12, {.bold = true}), Qt::white);
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
    action->setShortcut(QKeySequence(key));
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
