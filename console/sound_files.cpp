#include "console/sound_files.h"

#include "base/error.h"
#include "base/virtual_clock.h"
#include "sound/sound_file.h"

namespace floemark::console {

const std::vector<std::string>& SoundFiles() {
  static const std::vector<std::string> files = {"START.WAV", "TEMPO.WAV",  "GOT.WAV", "BLOCK.WAV",
                                                 "BONUS.WAV", "BOMBED.WAV", "OVER.WAV"};
  return files;
}

std::vector<std::string> UnloadableSounds() {
  std::vector<std::string> unloadable;
  // Whether the decoder's cache keeps what it reads here is no matter: its clock need not move.
  VirtualClock unmoving;
  for (const std::string& file : SoundFiles()) {
    const std::string path = "SOUND/" + file;
    try {
      // Any rate will do: what fails, fails at every rate.
      sound::LoadSoundFile(path, 48000, unmoving);
    } catch (const Error& e) {
      unloadable.push_back(e.what());  // names the file and the reason
    }
  }
  return unloadable;
}

std::string UnloadableSoundsNotice(const std::string& program) {
  const std::vector<std::string> unloadable = UnloadableSounds();
  if (unloadable.empty()) return {};
  std::string notice;
  for (const std::string& why : unloadable) notice += program + ": " + why + "\n";
  notice += program +
            ": the replay takes the course of a console without these sounds: what waits for "
            "a sound to end never comes, so its game is not the one played with them\n";
  return notice;
}

}  // namespace floemark::console
