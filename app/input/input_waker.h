#pragma once
// Wakes the event loop when a pad's device node has something to say, so that a pad lying
// still costs nothing: the kernel hands every reader of an input device its own copy of the
// device's events, and SDL reads its copy when it is next asked. A busy pad (a stick on the
// move) is looked at no more often than once a period. GUI thread only.

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

namespace floemark::app {

class InputWaker : public QObject {
 public:
  // Opens path for reading; Working() is false when it can't (no such node, no permission).
  // look runs at the first news and then at most once every periodMs.
  InputWaker(const QString& path, int periodMs, std::function<void()> look,
             QObject* parent = nullptr);
  ~InputWaker() override;

  // False from the start when the node can't be read, and once it has gone away.
  bool Working() const { return notifier_ != nullptr && !gone_; }

 private:
  void News();
  // Reads away what is waiting; false when the node has gone (unplugged).
  bool Drain();

  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  QTimer rest_;
  std::function<void()> look_;
  bool gone_ = false;
};

}  // namespace floemark::app
