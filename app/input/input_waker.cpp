#include "app/input/input_waker.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

namespace floemark::app {

InputWaker::InputWaker(const QString& path, int periodMs, std::function<void()> look,
                       QObject* parent)
    : QObject(parent), look_(std::move(look)) {
  fd_ = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &InputWaker::News);
  rest_.setSingleShot(true);
  rest_.setTimerType(Qt::PreciseTimer);
  rest_.setInterval(periodMs);
  // After the rest, news that came meanwhile is waiting in the node and wakes us at once.
  connect(&rest_, &QTimer::timeout, this, [this] { notifier_->setEnabled(true); });
}

InputWaker::~InputWaker() {
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
}

void InputWaker::News() {
  notifier_->setEnabled(false);
  // A node that has gone would wake the loop for ever: it stays quiet from now on.
  if (Drain())
    rest_.start();
  else
    gone_ = true;
  look_();  // last: it may end this object's pad
}

bool InputWaker::Drain() {
  // Only the wake-up matters here; what the events say, SDL reads from its own copy.
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n > 0) continue;
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
}

}  // namespace floemark::app
