#include "console/session.h"

#include "console/handlers.h"
#include "game/form1.h"
#include "sound/null_output.h"

namespace floemark::console {

struct Session::Playback {
  explicit Playback(Commands c) : commands(std::move(c)), next(commands.begin()) {}
  Commands commands;
  Commands::Iterator next;
};

Session::Session(std::int64_t timeOfDayAtZeroMs, sound::AudioOutput* audio, Dispatcher::Hooks hooks)
    : timeOfDayAtZero_(timeOfDayAtZeroMs),
      clock_(timeOfDayAtZeroMs),
      silent_(audio ? nullptr : std::make_unique<sound::NullOutput>(clock_)),
      dispatcher_(std::move(hooks)),
      form_(std::make_unique<TForm1>(clock_, clock_, audio ? *audio : *silent_)) {}

Session::~Session() = default;

void Session::Start() {
  dispatcher_.Run(0, HandlerCall{HandlerCall::FormCreate}, [this] { form_->FormCreate(); });
}

void Session::Fire(TimerId id) {
  dispatcher_.Run(clock_.Now(), HandlerCall{HandlerCall::Tick, id},
                  [this, id] { form_->OnTimer(id); });
}

void Session::Handle(const Command& command) {
  if (observer_) observer_(command);
  HandlerCall call{HandlerCall::Input};
  call.command = command;
  dispatcher_.Run(command.timeMs, call, [&] { RunOn(*form_, command); });
}

std::optional<std::int64_t> Session::NextPlayed() const {
  if (!playback_ || playback_->next == playback_->commands.end()) return std::nullopt;
  return (*playback_->next).timeMs;
}

void Session::PlayNext() {
  const Command command = *playback_->next++;
  if (command.kind != Command::End) {
    Handle(command);
    return;
  }
  // The end: from now on the person plays.
  playback_.reset();
}

void Session::CatchUp(std::int64_t presentMs) {
  for (auto at = NextPlayed(); at && *at <= presentMs; at = NextPlayed()) {
    clock_.RunBefore(*at, fire_);
    PlayNext();
  }
  clock_.CatchUp(presentMs, fire_);
}

std::optional<std::int64_t> Session::NextDue() const {
  std::optional<std::int64_t> next = clock_.NextDue();
  if (const auto at = NextPlayed(); at && (!next || *at < *next)) next = at;
  return next;
}

void Session::Input(Command command, std::int64_t presentMs) {
  if (playback_) return;
  command.timeMs = clock_.StampInput(presentMs, fire_);
  Handle(command);
}

void Session::PlayBack(Commands commands) {
  playback_ = std::make_unique<Playback>(std::move(commands));
}

std::int64_t Session::Finish(std::int64_t presentMs) {
  CatchUp(presentMs);
  const std::int64_t t = clock_.Now();
  clock_.CatchUp(t, fire_);
  return t;
}

}  // namespace floemark::console
