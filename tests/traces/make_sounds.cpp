// trace-sounds DIR: makes DIR and writes the seven cue files as short valid PCM WAV files into DIR,
// so the replay cases run with every channel loadable whatever sounds the repository ships. The
// traces list channel operations only, never the sounds' content or length.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutTag(std::vector<std::uint8_t>& b, const char* tag) { b.insert(b.end(), tag, tag + 4); }

// 100 ms of a quiet square wave, 8 kHz mono 16-bit.
std::vector<std::uint8_t> Wav() {
  constexpr std::uint32_t kRate = 8000, kFrames = 800;
  std::vector<std::uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 36 + kFrames * 2);
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);
  Put16(b, 1);
  Put32(b, kRate);
  Put32(b, kRate * 2);
  Put16(b, 2);
  Put16(b, 16);
  PutTag(b, "data");
  Put32(b, kFrames * 2);
  for (std::uint32_t i = 0; i < kFrames; ++i) Put16(b, (i / 10) % 2 ? 0x0400 : 0xfc00);
  return b;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: trace-sounds DIR\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  const std::vector<std::uint8_t> wav = Wav();
  for (const char* name : {"START", "TEMPO", "GOT", "BLOCK", "BONUS", "BOMBED", "OVER"}) {
    const std::string path = std::string(argv[1]) + "/" + name + ".WAV";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(wav.data(), 1, wav.size(), f) != wav.size()) {
      std::fprintf(stderr, "trace-sounds: cannot write %s\n", path.c_str());
      return 1;
    }
    std::fclose(f);
  }
  return 0;
}
