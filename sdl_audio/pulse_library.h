#pragma once
// libpulse, loaded only where a server of PulseAudio's protocol is to play the sound: linked, it
// and what it links (libpulsecommon, libsndfile and its codecs, ...) would be mapped, some 1.1 MB
// resident, into every run, on PipeWire's desktops too, where PipeWire's own stream plays. Its
// functions by their names less the "pa_" (pa_stream_new_with_proplist is
// stream_new_with_proplist); what its headers make macros of (PA_PROP_..., the mainloop API's
// own function pointers) needs nothing loaded.

#include <pulse/pulseaudio.h>

#include <string>

namespace floemark::sound {

// clang-format off
#define FLOEMARK_PULSE_FUNCTIONS(X) \
  X(threaded_mainloop_new) \
  X(threaded_mainloop_start) \
  X(threaded_mainloop_stop) \
  X(threaded_mainloop_free) \
  X(threaded_mainloop_lock) \
  X(threaded_mainloop_unlock) \
  X(threaded_mainloop_wait) \
  X(threaded_mainloop_signal) \
  X(threaded_mainloop_get_api) \
  X(context_new) \
  X(context_connect) \
  X(context_disconnect) \
  X(context_unref) \
  X(context_errno) \
  X(context_get_state) \
  X(context_set_state_callback) \
  X(context_get_server_info) \
  X(context_rttime_new) \
  X(rtclock_now) \
  X(operation_get_state) \
  X(operation_unref) \
  X(proplist_new) \
  X(proplist_sets) \
  X(proplist_free) \
  X(stream_new_with_proplist) \
  X(stream_connect_playback) \
  X(stream_disconnect) \
  X(stream_unref) \
  X(stream_get_state) \
  X(stream_set_state_callback) \
  X(stream_set_write_callback) \
  X(stream_writable_size) \
  X(stream_begin_write) \
  X(stream_write) \
  X(stream_cork) \
  X(strerror)
// clang-format on

struct PulseLibrary {
#define FLOEMARK_PULSE_DECLARE(name) decltype(&::pa_##name) name = nullptr;
  FLOEMARK_PULSE_FUNCTIONS(FLOEMARK_PULSE_DECLARE)
#undef FLOEMARK_PULSE_DECLARE

  // Loaded at the first call, from any thread, and kept for the run; nullptr, with the reason
  // in whyNot, when libpulse.so.0 is not installed or lacks a function.
  static const PulseLibrary* Get(std::string& whyNot);
};

}  // namespace floemark::sound
