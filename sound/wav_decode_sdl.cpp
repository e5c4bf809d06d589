#include <algorithm>
#include <vector>

#include "loaded/sdl_library.h"
#include "sound/sound_file.h"
#include "sound/wav_decode.h"

namespace floemark::sound {
namespace {

struct WavBuffer {
  const sdl::SdlLibrary& sdl;
  Uint8* data = nullptr;
  Uint32 bytes = 0;
  ~WavBuffer() { sdl.FreeWAV(data); }
};

struct Stream {
  const sdl::SdlLibrary& sdl;
  SDL_AudioStream* stream;
  ~Stream() { sdl.FreeAudioStream(stream); }
};

}  // namespace

std::unique_ptr<Pcm> DecodeWavSdl(std::span<const std::uint8_t> file, int sampleRate,
                                  const std::string& path) {
  std::string whyNot;
  const sdl::SdlLibrary* loaded = sdl::SdlLibrary::Get(whyNot);
  if (loaded == nullptr) FailSoundFile(path, "its WAV format needs SDL2 (" + whyNot + ")");
  const sdl::SdlLibrary& sdl = *loaded;
  // The structure has been checked already: have SDL hold to the declared sizes too.
  sdl.SetHint(SDL_HINT_WAVE_RIFF_CHUNK_SIZE, "force");
  sdl.SetHint(SDL_HINT_WAVE_TRUNCATION, "verystrict");
  SDL_AudioSpec spec{};
  WavBuffer wav{sdl};
  SDL_RWops* source = sdl.RWFromConstMem(file.data(), static_cast<int>(file.size()));
  if (source == nullptr || sdl.LoadWAV_RW(source, 1, &spec, &wav.data, &wav.bytes) == nullptr) {
    FailSoundFile(path, std::string("its WAV format is not supported (") + sdl.GetError() + ")");
  }
  const int frameBytes = SDL_AUDIO_BITSIZE(spec.format) / 8 * spec.channels;
  if (frameBytes <= 0 || spec.freq <= 0) FailSoundFile(path, "its WAV format is not supported");
  const std::int64_t inFrames = wav.bytes / frameBytes;
  const std::int64_t outFrames = inFrames * sampleRate / spec.freq;
  if (outFrames > std::int64_t{kMaxSeconds} * sampleRate) {
    FailSoundFile(path,
                  "the sound is too long (more than " + std::to_string(kMaxSeconds) + " seconds)");
  }

  Stream convert{
      sdl, sdl.NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, sampleRate)};
  if (convert.stream == nullptr) {
    FailSoundFile(path, std::string("its WAV format is not supported (") + sdl.GetError() + ")");
  }
  // SDL's resampler holds back the last few hundred input frames even when flushed; trailing
  // silence pushes them through, and the result is cut back to the sound's true length.
  const std::vector<std::uint8_t> silence(std::size_t{4096} * frameBytes,
                                          spec.format == AUDIO_U8 ? 0x80 : 0);
  auto pcm = std::make_unique<Pcm>();
  pcm->samples.resize(static_cast<std::size_t>(outFrames) + 2 * sampleRate / 10 + 8192);
  if (sdl.AudioStreamPut(convert.stream, wav.data, static_cast<int>(inFrames * frameBytes)) != 0 ||
      sdl.AudioStreamPut(convert.stream, silence.data(), static_cast<int>(silence.size())) != 0 ||
      sdl.AudioStreamFlush(convert.stream) != 0) {
    FailSoundFile(path, std::string("its sound can't be converted (") + sdl.GetError() + ")");
  }
  std::size_t have = 0;
  while (have < pcm->samples.size()) {
    const int got = sdl.AudioStreamGet(convert.stream, pcm->samples.data() + have,
                                       static_cast<int>((pcm->samples.size() - have) * 2));
    if (got <= 0) break;
    have += static_cast<std::size_t>(got) / 2;
  }
  pcm->samples.resize(std::min<std::size_t>(have, static_cast<std::size_t>(outFrames)));
  pcm->samples.resize(static_cast<std::size_t>(outFrames), 0);
  return pcm;
}

}  // namespace floemark::sound
