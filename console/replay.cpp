#include "console/replay.h"

#include "console/session.h"

namespace floemark::console {
namespace {
// Flush the trace in pieces of about this size, so a long run needs no big buffer.
constexpr std::size_t kFlushBytes = 1 << 16;
}  // namespace

void Replay(const Script& script, const std::function<void(const std::string&)>& sink,
            const AfterHandler& after) {
  std::string out;
  Dispatcher::Hooks hooks;
  hooks.afterEach = [&] {
    if (out.size() < kFlushBytes) return;
    sink(out);
    out.clear();
  };
  Session session(script.clockMs, nullptr, std::move(hooks));
  TraceRecorder recorder(session.Form(), out, after);
  session.SetWatcher(&recorder);
  session.Start();
  // The script is a recording played back to its end, which is its last command.
  session.PlayBack(script.commands);
  std::int64_t end = 0;
  for (const Command& c : script.commands) end = c.timeMs;
  session.CatchUp(end);
  sink(out);
}

}  // namespace floemark::console
