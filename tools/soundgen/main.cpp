// floemark-soundgen OUTDIR: synthesises the game's seven sounds from their score into OUTDIR,
// the same bytes on every run. The committed SOUND/ is its output; a test checks that it
// still matches.
#include <cstdio>
#include <string>

#include "tools/soundgen/synth.h"
#include "tools/soundgen/wav_file.h"

int main(int argc, char** argv) {
  using namespace floemark::soundgen;
  if (argc != 2) {
    std::fprintf(stderr, "usage: floemark-soundgen OUTDIR\n");
    return 2;
  }
  bool ok = true;
  for (const Cue& cue : GameCues()) {
    const std::string path = std::string(argv[1]) + "/" + cue.file;
    if (!WriteWav(path, Render(cue), kRate)) {
      std::fprintf(stderr, "floemark-soundgen: cannot write %s\n", path.c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
