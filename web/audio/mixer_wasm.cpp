// The sound layer's mixer on its own, for the page's AudioWorkletProcessor: a small
// WebAssembly module with no JavaScript glue, which the worklet instantiates from the compiled
// module it is handed and pulls 128 frames at a time on the audio thread. The page's core
// keeps the channels on its logical clock; this mixer only follows the states it is sent:
// the sound a slot holds, whether it plays, and from which frame.
//
// Audio thread only (the worklet's), one mixer a module. Units: frames of mono 16-bit samples
// at the context's rate, which the page asks to be 48 kHz, the core's rate.
#include <cstdint>
#include <memory>

#include "sound/mixer.h"

namespace {

using floemark::sound::Mixer;
using floemark::sound::Pcm;

Mixer& TheMixer() {
  static Mixer mixer;
  return mixer;
}

// The quantum the worklet renders, and a sound being handed over.
std::int16_t rendered[128];
std::unique_ptr<Pcm> incoming;

}  // namespace

extern "C" {

// Room for a sound of frames frames; the worklet writes its samples there, then mixer_set.
__attribute__((export_name("mixer_reserve"))) std::int16_t* mixer_reserve(int frames) {
  incoming = std::make_unique<Pcm>();
  incoming->samples.resize(static_cast<std::size_t>(frames));
  return incoming->samples.data();
}

// Gives slot the sound reserved last (stopped at its start).
__attribute__((export_name("mixer_set"))) void mixer_set(int slot) {
  TheMixer().SetSound(slot, std::move(incoming));
}

// The slot plays (or stands) from frame on.
__attribute__((export_name("mixer_follow"))) void mixer_follow(int slot, int playing,
                                                               double frame) {
  Mixer& mixer = TheMixer();
  mixer.Stop(slot);
  mixer.Seek(slot, static_cast<std::int64_t>(frame));
  if (playing) mixer.Start(slot);
}

__attribute__((export_name("mixer_position"))) double mixer_position(int slot) {
  return static_cast<double>(TheMixer().Position(slot));
}

// Mixes the next 128 frames; the samples are at the returned address.
__attribute__((export_name("mixer_render"))) const std::int16_t* mixer_render() {
  TheMixer().Render(rendered, 128);
  return rendered;
}

}  // extern "C"
