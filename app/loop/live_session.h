#pragma once
// The console session on Qt's event loop: the present is read from the platform's monotonic
// clock, and one precise Qt timer wakes the loop at the next moment something is due (a tick,
// or an input of a recording being played back), when everything due by then runs, each at its
// own moment. A tick the platform delivers late runs late, but at the moment it was due, so it
// decides the game as an on-time one would. GUI thread only.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/clock.h"
#include "console/session.h"

namespace floemark::app {

class LiveSession : public QObject {
 public:
  // FormCreate runs here, at t = 0 of the game's logical clock, which real moves from now on;
  // the random draw reads the UTC time of day timeOfDayAtZero (real's now when none) plus the
  // logical time. real and audio outlive this.
  LiveSession(Clock& real, sound::AudioOutput& audio,
              std::function<void(const std::string&)> report,
              std::optional<std::int64_t> timeOfDayAtZero = std::nullopt);
  ~LiveSession() override;

  console::Session& Session() { return session_; }
  TForm1& Form() { return session_.Form(); }

  // Told after every handler, once its changes are on the panel: the window repaints them.
  void SetOnHandled(std::function<void()> onHandled) { onHandled_ = std::move(onHandled); }

  // A game input of the person's, handed over now.
  void Input(const console::Command& command);
  // Runs a handler of the front end's own windows through the dispatcher.
  void RunShell(const std::function<void()>& handler);
  // A recorded game, played back at its own pace.
  void PlayBack(console::Commands commands);
  // Runs what is due by now and returns the moment the game's clock stands at: the end of a
  // recording made now.
  std::int64_t Finish();

  // Holds the game: its clock stops (a pause takes no time on it, so a recording of a paused
  // game replays as played), nothing is due and the sounds are held where they are. A person's
  // key-down or click while paused is dropped; the release of a key the game saw go down is
  // kept for the moment play resumes, so that the game never believes a key is still held.
  void Pause(bool paused);
  bool Paused() const { return paused_; }

  // Milliseconds of the platform's clock since t = 0, less every pause.
  std::int64_t RealMs() const { return (paused_ ? pausedAt_ : real_.MonotonicMs()) - origin_; }
  // Whether the loop is to be woken for something due.
  bool Waiting() const { return wake_.isActive(); }

 private:
  void CatchUp();
  void Reschedule();

  Clock& real_;
  sound::AudioOutput& audio_;
  std::int64_t origin_;
  bool paused_ = false;
  std::int64_t pausedAt_ = 0;            // the platform's clock when the pause began
  std::set<std::uint16_t> down_;         // keys the game has seen go down and not yet up
  std::vector<std::uint16_t> releases_;  // key-ups kept during a pause
  std::function<void()> onHandled_;
  console::Session session_;
  QTimer wake_;
};

}  // namespace floemark::app
