#include "tools/trace/replay.h"

#include <memory>

#include "base/virtual_clock.h"
#include "game/form1.h"
#include "sound/null_output.h"
#include "tools/trace/recorder.h"

namespace floemark::trace {
namespace {
// Flush the trace in pieces of about this size, so a long run needs no big buffer.
constexpr std::size_t kFlushBytes = 1 << 16;
}  // namespace

std::string HandlerName(const Command& command) {
  switch (command.kind) {
    case Command::KeyDown:
      return "FormKeyDown " + std::to_string(command.key);
    case Command::KeyUp:
      return "FormKeyUp " + std::to_string(command.key);
    case Command::Click:
      switch (command.button) {
        case Button::Power:
          return "Puls_PowerClick";
        case Button::Select:
          return "Puls_SelectClick";
        case Button::Sound:
          return "Puls_SoundClick";
      }
      break;
    case Command::End:
      break;
  }
  return "end";
}

void RunOn(TForm1& form, const Command& command) {
  switch (command.kind) {
    case Command::KeyDown:
      return form.FormKeyDown(command.key);
    case Command::KeyUp:
      return form.FormKeyUp(command.key);
    case Command::Click:
      switch (command.button) {
        case Button::Power:
          return form.Puls_PowerClick();
        case Button::Select:
          return form.Puls_SelectClick();
        case Button::Sound:
          return form.Puls_SoundClick();
      }
      return;
    case Command::End:
      return;
  }
}

void Replay(const Script& script, const std::function<void(const std::string&)>& sink,
            const AfterHandler& after) {
  VirtualClock clock(script.clockMs);
  sound::NullOutput audio(clock);
  auto form = std::make_unique<TForm1>(clock, clock, audio);
  Recorder rec(*form, after);
  std::string out;
  auto flush = [&] {
    if (out.size() >= kFlushBytes) {
      sink(out);
      out.clear();
    }
  };
  rec.Run(
      0, "FormCreate", [&] { form->FormCreate(); }, out);
  const VirtualClock::FireFn fire = [&](TimerId id) {
    rec.Run(
        clock.Now(), TimerHandler(id), [&] { form->OnTimer(id); }, out);
    flush();
  };
  for (const Command& cmd : script.commands) {
    if (cmd.kind == Command::End) {
      clock.RunThrough(cmd.timeMs, fire);
      break;
    }
    // Events at a moment come before the timers due at it.
    clock.RunBefore(cmd.timeMs, fire);
    rec.Run(
        cmd.timeMs, HandlerName(cmd), [&] { RunOn(*form, cmd); }, out);
    flush();
  }
  sink(out);
}

}  // namespace floemark::trace
