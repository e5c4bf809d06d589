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
    const std::uint16_t code = cmd.key;
    switch (cmd.kind) {
      case Command::KeyDown:
        rec.Run(
            cmd.timeMs, "FormKeyDown " + std::to_string(code), [&] { form->FormKeyDown(code); },
            out);
        break;
      case Command::KeyUp:
        rec.Run(
            cmd.timeMs, "FormKeyUp " + std::to_string(code), [&] { form->FormKeyUp(code); }, out);
        break;
      case Command::Click:
        switch (cmd.button) {
          case Button::Power:
            rec.Run(
                cmd.timeMs, "Puls_PowerClick", [&] { form->Puls_PowerClick(); }, out);
            break;
          case Button::Select:
            rec.Run(
                cmd.timeMs, "Puls_SelectClick", [&] { form->Puls_SelectClick(); }, out);
            break;
          case Button::Sound:
            rec.Run(
                cmd.timeMs, "Puls_SoundClick", [&] { form->Puls_SoundClick(); }, out);
            break;
        }
        break;
      case Command::End:
        break;
    }
    flush();
  }
  sink(out);
}

}  // namespace floemark::trace
