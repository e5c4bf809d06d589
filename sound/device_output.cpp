#include "sound/device_output.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

#include "sound/null_output.h"

namespace floemark::sound {
namespace {

// SDL's audio thread: everything it does is the mixer's lock-free pull.
void Pull(void* mixer, Uint8* stream, int bytes) {
  static_cast<Mixer*>(mixer)->Render(reinterpret_cast<std::int16_t*>(stream),
                                     bytes / static_cast<int>(sizeof(std::int16_t)));
}

}  // namespace

std::unique_ptr<DeviceOutput> DeviceOutput::Open(std::string& whyNot) {
  // Without this hint SDL_Init takes SIGINT and SIGTERM for its own event queue, which this
  // program never reads: SIGTERM would no longer end it.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    whyNot = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<DeviceOutput> out(new DeviceOutput());
  SDL_AudioSpec want{};
  want.freq = 48000;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = kBufferFrames;
  want.callback = Pull;
  want.userdata = &out->mixer_;
  SDL_AudioSpec have{};
  // The device may keep its own rate (the sounds are converted to it when loaded); SDL adapts
  // the channel count and the sample format, and keeps the buffer as small as asked.
  out->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (out->device_ == 0) {
    // An ALSA without a sound card initialises fine and fails only here.
    whyNot = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  out->rate_ = have.freq;
  out->bufferFrames_ = have.samples;
  const char* driver = SDL_GetCurrentAudioDriver();
  out->driver_ = driver ? driver : "";
  SDL_PauseAudioDevice(out->device_, 0);
  return out;
}

DeviceOutput::~DeviceOutput() {
  // Closing waits for the audio thread to end, so the mixer outlives its last pull.
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock) {
  std::string whyNot;
  if (auto device = DeviceOutput::Open(whyNot)) return device;
  static std::atomic<bool> told{false};
  if (!told.exchange(true)) {
    std::fprintf(stderr,
                 "Floemark Simulator: no audio device could be opened (%s); playing silently.\n",
                 whyNot.c_str());
  }
  return std::make_unique<NullOutput>(clock);
}

}  // namespace floemark::sound
