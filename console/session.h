#pragma once
// The console machine that every front end drives: the handheld (TForm1) on its logical clock,
// with the dispatcher that runs its handlers, the stamping of inputs among its ticks, the
// playback of a recording and the observer a recording is written from. A front end hands it
// the present on the platform's clock and the person's inputs, and takes back, after each
// handler, what changed on the panel (TForm1::Components' damage) and, through the sound
// channels' output, what the channels must do. No Qt, no threads: the window, the page,
// floemark-trace and the tests run this same machine. Game thread only.
//
// Times are milliseconds since t = 0, the moment FormCreate runs; "present" is how far the
// platform's clock has gone since then. Each timer handler runs at the moment it was due,
// however late the platform asks, so a game played live is the game its recording replays.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "base/logical_clock.h"
#include "console/commands.h"
#include "console/dispatcher.h"

namespace floemark {
class TForm1;
namespace sound {
class AudioOutput;
class NullOutput;
}  // namespace sound
}  // namespace floemark

namespace floemark::console {

class Session {
 public:
  // timeOfDayAtZeroMs: the UTC time of day at t = 0, which the random draw reads from. audio:
  // where the sound channels play, outliving the session; none plays them silently on the
  // game's own clock, exactly as they would sound.
  Session(std::int64_t timeOfDayAtZeroMs, sound::AudioOutput* audio, Dispatcher::Hooks hooks = {});
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // FormCreate, at t = 0.
  void Start();

  TForm1& Form() { return *form_; }
  const TForm1& Form() const { return *form_; }
  // For handlers of the front end's own windows, which have no moment on the game's clock.
  Dispatcher& Dispatch() { return dispatcher_; }
  std::int64_t TimeOfDayAtZero() const { return timeOfDayAtZero_; }
  // The moment the logical clock stands at, and that of the last tick (-1 before any).
  std::int64_t Now() const { return clock_.Now(); }
  std::int64_t LastTick() const { return clock_.LastFired(); }

  // Runs everything due by the present: the ticks, and the inputs of a recording being played
  // back (those of a moment before its ticks).
  void CatchUp(std::int64_t presentMs);
  // When something is next due, for the front end to wake then; none while nothing is.
  std::optional<std::int64_t> NextDue() const;

  // An input of the person's, handed over at the present: the ticks due by then run first, then
  // it is stamped among them, told to the observer and handled. Ignored while a recording is
  // played back, which is then the only player.
  void Input(Command command, std::int64_t presentMs);
  // Told of every input as it is handled, stamped with its moment, before its handler runs.
  void SetInputObserver(std::function<void(const Command&)> observer) {
    observer_ = std::move(observer);
  }

  // Plays a recording back, each command at its moment; at its end (the last command) the
  // person plays on.
  void PlayBack(Commands commands);
  bool PlayingBack() const { return playback_ != nullptr; }

  // Sees every handler of the game begin and end (floemark-trace's trace).
  void SetWatcher(HandlerWatcher* watcher) { dispatcher_.SetWatcher(watcher); }

  // Runs what is due by the present, and a timer due at the very moment the clock then stands
  // at (after an input stamped just past a tick), as the end line of a script runs it; returns
  // that moment: the end of a recording made now.
  std::int64_t Finish(std::int64_t presentMs);

 private:
  struct Playback;
  void Fire(TimerId id);
  void Handle(const Command& command);
  std::optional<std::int64_t> NextPlayed() const;
  void PlayNext();

  std::int64_t timeOfDayAtZero_;
  LogicalClock clock_;
  std::unique_ptr<sound::NullOutput> silent_;
  Dispatcher dispatcher_;
  std::unique_ptr<TForm1> form_;
  std::function<void(const Command&)> observer_;
  std::unique_ptr<Playback> playback_;
  const LogicalClock::FireFn fire_ = [this](TimerId id) { Fire(id); };
};

}  // namespace floemark::console
