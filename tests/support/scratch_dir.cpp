#include "support/scratch_dir.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>

namespace floemark::testing {

const std::vector<std::string> kAllCues = {"START.WAV", "TEMPO.WAV",  "GOT.WAV", "BLOCK.WAV",
                                           "BONUS.WAV", "BOMBED.WAV", "OVER.WAV"};

std::filesystem::path CommittedSoundDir() {
  return std::filesystem::path(FLOEMARK_SOURCE_DIR) / "SOUND";
}

ScratchDir::ScratchDir(const std::vector<std::string>& cues) {
  std::string pattern = (std::filesystem::temp_directory_path() / "floemark-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  std::filesystem::create_directory(root_ / "SOUND");
  for (const std::string& cue : cues)
    std::filesystem::copy_file(CommittedSoundDir() / cue, root_ / "SOUND" / cue);
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(root_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(root_, ignored);
}

void ScratchDir::Sound(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
  std::ofstream out(root_ / "SOUND" / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace floemark::testing
