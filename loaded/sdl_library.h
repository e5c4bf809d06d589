#pragma once
// SDL2, loaded the first time the program needs it: for the game pads once one is plugged in, for
// a sound file to convert to the mixer's format (another rate or sample format, or ADPCM, A-law,
// mu-law, which SDL alone reads), and for the sound where neither PipeWire nor a PulseAudio
// server plays. Linked, it would be mapped into every run with what it
// links in turn (libpulse and its codecs, ALSA, Wayland's and X's extensions): some 3 MB of the
// game's memory with no pad and no such sound. Its functions by their names less the "SDL_"
// (SDL_InitSubSystem is InitSubSystem); what its headers make macros of needs nothing loaded.

#include <SDL.h>

#include <string>

namespace floemark::sdl {

// clang-format off
#define FLOEMARK_SDL_FUNCTIONS(X) \
  X(SetHint) \
  X(GetError) \
  X(InitSubSystem) \
  X(QuitSubSystem) \
  X(RWFromConstMem) \
  X(LoadWAV_RW) \
  X(FreeWAV) \
  X(NewAudioStream) \
  X(FreeAudioStream) \
  X(AudioStreamPut) \
  X(AudioStreamFlush) \
  X(AudioStreamGet) \
  X(OpenAudioDevice) \
  X(CloseAudioDevice) \
  X(PauseAudioDevice) \
  X(GetAudioDeviceStatus) \
  X(GetCurrentAudioDriver) \
  X(PumpEvents) \
  X(PeepEvents) \
  X(FlushEvents) \
  X(GameControllerOpen) \
  X(GameControllerClose) \
  X(GameControllerGetJoystick) \
  X(GameControllerPath) \
  X(GameControllerSetPlayerIndex) \
  X(JoystickInstanceID)
// clang-format on

struct SdlLibrary {
#define FLOEMARK_SDL_DECLARE(name) decltype(&::SDL_##name) name = nullptr;
  FLOEMARK_SDL_FUNCTIONS(FLOEMARK_SDL_DECLARE)
#undef FLOEMARK_SDL_DECLARE

  // Loaded at the first call, from any thread, and kept for the run; nullptr, with the reason
  // in whyNot, when libSDL2-2.0.so.0 is not installed or lacks a function.
  static const SdlLibrary* Get(std::string& whyNot);
};

}  // namespace floemark::sdl
