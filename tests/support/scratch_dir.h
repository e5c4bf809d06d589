#pragma once
// A fresh working directory with a SOUND folder, as the game expects to find it; the process
// works in it for the life of the object and returns to where it was afterwards.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace floemark::testing {

// The seven cue files of the game, as the repository's SOUND/ holds them.
extern const std::vector<std::string> kAllCues;
// The repository's SOUND/ folder.
std::filesystem::path CommittedSoundDir();

class ScratchDir {
 public:
  // cues: committed sound files copied into SOUND/ ("START.WAV", ...).
  explicit ScratchDir(const std::vector<std::string>& cues = {});
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // Writes SOUND/name with the given bytes.
  void Sound(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::filesystem::path root_, previous_;
};

}  // namespace floemark::testing
