// What the console window offers besides the handheld: its sizes and full screen, the
// screenshot, the pause and the notice that tells of them.
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "app/windows/console_window.h"
#include "app/windows/title.h"

namespace floemark::app {

using namespace panel;

namespace {

// The largest scale at which the console fits an area.
qreal FitScale(QSize area) {
  return std::max(
      0.25, std::min(qreal(area.width()) / kConsoleWidth, qreal(area.height()) / kConsoleHeight));
}

QRect ScreenArea(const QWidget* w, bool whole) {
  const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!screen) return QRect(0, 0, 1024, 768);
  return whole ? screen->geometry() : screen->availableGeometry();
}

}  // namespace

void ConsoleWindow::SetSize(int size) {
  size_ = size;
  if (!fullScreen_) ApplySize();
}

void ConsoleWindow::ApplySize() {
  const QPoint centre = geometry().center();
  QSize window;
  if (fullScreen_) {
    window = ScreenArea(this, true).size();
    scale_ = FitScale(window);
    offset_ = QPoint(qRound((window.width() - kConsoleWidth * scale_) / 2),
                     qRound((window.height() - kConsoleHeight * scale_) / 2));
  } else {
    scale_ = size_ == 0 ? FitScale(ScreenArea(this, false).size()) : qreal(size_);
    offset_ = QPoint();
    window =
        QSize(int(std::floor(kConsoleWidth * scale_)), int(std::floor(kConsoleHeight * scale_)));
  }
  drawn_ = QImage();
  shown_ =
      Direct()
          ? body_
          : QTransform::fromTranslate(offset_.x(), offset_.y()).scale(scale_, scale_).map(body_);
  if (fullScreen_) {
    clearMask();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setGeometry(ScreenArea(this, true));
  } else {
    if (masked_) setMask(shown_);
    setFixedSize(window);
    if (isVisible()) {
      // The console grows or shrinks round its middle, and stays on the screen's free area.
      const QRect area = ScreenArea(this, false);
      QPoint at = centre - QPoint(window.width() / 2, window.height() / 2);
      at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - window.width())));
      at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - window.height())));
      move(at);
    }
  }
  update();
  if (notice_->isVisible()) ShowNotice(notice_->text(), !noticeTimer_.isActive());
}

void ConsoleWindow::SetFullScreen(bool on) {
  if (on == fullScreen_) return;
  if (on) normal_ = geometry();
  fullScreen_ = on;
  ApplySize();
  if (on) {
    showFullScreen();
  } else {
    showNormal();
    ApplySize();
    move(normal_.topLeft());
  }
  Activate();
}

QImage ConsoleWindow::Screenshot() {
  const bool noticed = notice_->isVisible();
  notice_->hide();
  const QRect console(offset_, QSize(int(std::floor(kConsoleWidth * scale_)),
                                     int(std::floor(kConsoleHeight * scale_))));
  QImage shot = grab(console).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (noticed) notice_->show();
  if (!body_.isEmpty()) {
    // Round the body the desktop shows through: clear in the picture too.
    QPainter painter(&shot);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setClipRegion(QRegion(0, 0, console.width(), console.height()) -
                          shown_.translated(-offset_));
    painter.fillRect(0, 0, console.width(), console.height(), Qt::transparent);
  }
  return shot;
}

void ConsoleWindow::SetPaused(bool paused) {
  autoPaused_ = false;
  if (paused == Paused()) return;
  session_.Pause(paused);
  if (paused)
    ShowNotice(QStringLiteral("Paused: P to play on"), true);
  else
    HideNotice();
  emit PausedChanged(paused);
}

void ConsoleWindow::SetPauseInBackground(bool on) {
  pauseInBackground_ = on;
  if (!on && autoPaused_) SetPaused(false);
}

void ConsoleWindow::ApplicationStateChanged(Qt::ApplicationState state) {
  if (!pauseInBackground_ || !isVisible()) return;
  if (state != Qt::ApplicationActive && !Paused()) {
    SetPaused(true);
    autoPaused_ = true;
  } else if (state == Qt::ApplicationActive && autoPaused_) {
    SetPaused(false);
  }
}

void ConsoleWindow::ShowNotice(const QString& text, bool kept) {
  notice_->setText(text);
  notice_->adjustSize();
  // Above the two screens, over the top of the photograph: nothing of the LCD is hidden.
  const QPoint at = ToWindow(QRect(370, 40, 1, 1)).topLeft();
  notice_->move(std::max(0, at.x() - notice_->width() / 2),
                std::max(0, at.y() - notice_->height() / 2));
  notice_->show();
  notice_->raise();
  if (kept)
    noticeTimer_.stop();
  else
    noticeTimer_.start(4000);
}

void ConsoleWindow::HideNotice() {
  noticeTimer_.stop();
  notice_->hide();
}

QString ConsoleWindow::NoticeText() const {
  return notice_->isVisible() ? notice_->text() : QString();
}

}  // namespace floemark::app
