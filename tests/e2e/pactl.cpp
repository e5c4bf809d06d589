#include "pactl.h"

#include <cstdio>
#include <cstdlib>

namespace floemark::e2e {

std::vector<Properties> GameStreams() {
  std::vector<Properties> inputs;
  std::FILE* out = popen("LC_ALL=C pactl list sink-inputs", "r");
  if (!out) {
    std::fprintf(stderr, "FAIL: cannot run pactl\n");
    std::exit(1);
  }
  char buffer[1024];
  while (std::fgets(buffer, sizeof buffer, out)) {
    const std::string line(buffer);
    if (line.rfind("Sink Input #", 0) == 0) {
      inputs.emplace_back();
      continue;
    }
    // Properties read:   key = "value"
    const auto eq = line.find(" = \"");
    if (inputs.empty() || eq == std::string::npos) continue;
    const auto key_at = line.find_first_not_of(" \t");
    const auto end = line.rfind('"');
    inputs.back()[line.substr(key_at, eq - key_at)] = line.substr(eq + 4, end - eq - 4);
  }
  if (pclose(out) != 0) {
    std::fprintf(stderr, "FAIL: pactl could not list the sink inputs\n");
    std::exit(1);
  }
  std::vector<Properties> game;
  for (auto& p : inputs)
    if (p["application.name"] == "Floemark Simulator") game.push_back(std::move(p));
  return game;
}

}  // namespace floemark::e2e
