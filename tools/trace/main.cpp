// floemark-trace [SCRIPT]: replays a script of key presses and clicks on the console's game
// logic with a virtual clock and prints what every handler did. Exit 2 for a script that can't
// be read or is malformed, with one line on standard error.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "console/replay.h"
#include "console/script.h"
#include "console/sound_files.h"

namespace {

int CannotRead(const char* name, int error) {
  std::fprintf(stderr, "floemark-trace: cannot read %s (%s)\n", name, std::strerror(error));
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: floemark-trace [SCRIPT]\n");
    return 2;
  }
  const char* name = argc == 2 ? argv[1] : "standard input";
  std::FILE* in = argc == 2 ? std::fopen(argv[1], "rb") : stdin;
  if (in == nullptr) return CannotRead(name, errno);
  floemark::console::ScriptReader reader;
  // Read in pieces: only the line being read and the packed commands are held.
  static char buffer[1 << 16];
  int readError = 0;
  while (!reader.Refused()) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, in);
    reader.Feed(std::string_view(buffer, got));
    if (got < sizeof buffer) {
      // A folder opens, and fails at its first read (EISDIR), like a failing disk.
      if (std::ferror(in)) readError = errno != 0 ? errno : EIO;
      break;
    }
  }
  if (in != stdin) std::fclose(in);
  if (readError != 0) return CannotRead(name, readError);
  const floemark::console::ParseResult parsed = reader.Finish();
  if (parsed.error) {
    std::fprintf(stderr, "floemark-trace: line %" PRId64 ": %s\n", parsed.error->line,
                 parsed.error->message.c_str());
    return 2;
  }
  // Without its sounds the console plays another game: said, though the trace is still that game's.
  std::fputs(floemark::console::UnloadableSoundsNotice("floemark-trace").c_str(), stderr);
  floemark::console::Replay(*parsed.script, [](const std::string& piece) {
    std::fwrite(piece.data(), 1, piece.size(), stdout);
  });
  return std::fflush(stdout) == 0 ? 0 : 1;
}
