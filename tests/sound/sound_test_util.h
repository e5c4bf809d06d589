#pragma once
// Helpers of the sound tests: WAV files written on the spot, and a scratch working directory
// with a SOUND folder, as the game expects to find it.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace floemark::sound::testing {

inline void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A canonical 16-bit PCM WAV file.
inline std::vector<std::uint8_t> WavBytes(const std::vector<std::int16_t>& samples,
                                          int rate = 48000, int channels = 1) {
  std::vector<std::uint8_t> out;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutLe(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);  // PCM
  PutLe(out, static_cast<std::uint32_t>(channels), 2);
  PutLe(out, static_cast<std::uint32_t>(rate), 4);
  PutLe(out, static_cast<std::uint32_t>(rate * channels * 2), 4);
  PutLe(out, static_cast<std::uint32_t>(channels * 2), 2);
  PutLe(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

// A sound of ms milliseconds at 48 kHz whose every sample says where it is (a ramp that never
// repeats within 32767 frames and is never zero), so the tests can tell frames apart.
inline std::vector<std::int16_t> Ramp(int ms, int offset = 1) {
  std::vector<std::int16_t> s(static_cast<std::size_t>(ms) * 48);
  for (std::size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<std::int16_t>(1 + (i + offset) % 8000);
  return s;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return;
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// Makes a fresh directory with an empty SOUND folder the working directory, for the life of
// the object.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/floemark-sound-XXXXXX";
    root_ = mkdtemp(pattern);
    std::filesystem::create_directory(root_ / "SOUND");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(root_);
  }
  ~ScratchDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // Writes SOUND/name.
  void Sound(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    WriteFile(root_ / "SOUND" / name, bytes);
  }

 private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

}  // namespace floemark::sound::testing
