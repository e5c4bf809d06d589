// libFuzzer target: a replay script through the reader, whole and in small pieces (which must
// agree), and a script it accepts through the replay, on a console with the committed sounds.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "console/replay.h"
#include "console/script.h"
#include "support/scratch_dir.h"

namespace {

using namespace floemark::console;

// Longer games make each input slow and find nothing the short ones don't.
constexpr std::int64_t kLongestReplayMs = 120'000;

std::string Describe(const ParseResult& r) {
  if (r.error) return std::to_string(r.error->line) + ":" + r.error->message;
  std::string out = std::to_string(r.script->clockMs);
  for (const Command& c : r.script->commands) {
    out += ' ' + std::to_string(c.kind) + '/' + std::to_string(c.timeMs) + '/' +
           std::to_string(c.key) + '/' + std::to_string(static_cast<int>(c.button));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The working directory for the whole run: the console finds its sounds there.
  static const auto cues =
      std::make_unique<floemark::testing::ScratchDir>(floemark::testing::kAllCues);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParseResult whole = ParseScript(text);
  if (whole.script.has_value() == whole.error.has_value()) __builtin_trap();
  ScriptReader reader;
  for (std::size_t at = 0; at < text.size(); at += 7) reader.Feed(text.substr(at, 7));
  if (Describe(reader.Finish()) != Describe(whole)) __builtin_trap();
  if (whole.error) {
    if (whole.error->line < 1) __builtin_trap();
    return 0;
  }
  std::int64_t endMs = 0;
  for (const Command& c : whole.script->commands) endMs = c.timeMs;
  if (endMs > kLongestReplayMs) return 0;
  std::size_t bytes = 0;
  Replay(*whole.script, [&](const std::string& piece) { bytes += piece.size(); });
  if (bytes == 0) __builtin_trap();
  return 0;
}
