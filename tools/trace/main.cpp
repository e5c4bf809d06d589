// floemark-trace [SCRIPT]: replays a script of key presses and clicks on the console's game
// logic with a virtual clock and prints what every handler did. Exit 2 for a malformed script.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "tools/trace/replay.h"
#include "tools/trace/script.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: floemark-trace [SCRIPT]\n");
    return 2;
  }
  std::string text;
  if (argc == 2) {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "floemark-trace: cannot read %s\n", argv[1]);
      return 2;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } else {
    std::ostringstream ss;
    ss << std::cin.rdbuf();
    text = ss.str();
  }
  const floemark::trace::ParseResult parsed = floemark::trace::ParseScript(text);
  if (parsed.error) {
    std::fprintf(stderr, "floemark-trace: line %d: %s\n", parsed.error->line,
                 parsed.error->message.c_str());
    return 2;
  }
  floemark::trace::Replay(*parsed.script, [](const std::string& piece) {
    std::fwrite(piece.data(), 1, piece.size(), stdout);
  });
  return std::fflush(stdout) == 0 ? 0 : 1;
}
