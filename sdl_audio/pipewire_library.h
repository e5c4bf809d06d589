#pragma once
// libpipewire, loaded only where PipeWire is to play the sound: linked, it would be mapped (some
// 400 KB resident) into every run, on PulseAudio's desktops too, and the package would depend on
// it. Its functions by their names less the "pw_" (pw_stream_new is stream_new); what its
// headers make inline or macros of (pw_core_sync, pw_loop_add_io, ...) needs nothing loaded.

#include <pipewire/impl-module.h>
#include <pipewire/pipewire.h>

#include <string>

namespace floemark::sound {

// clang-format off
#define FLOEMARK_PIPEWIRE_FUNCTIONS(X) \
  X(init) \
  X(thread_loop_new) \
  X(thread_loop_start) \
  X(thread_loop_stop) \
  X(thread_loop_destroy) \
  X(thread_loop_lock) \
  X(thread_loop_unlock) \
  X(thread_loop_signal) \
  X(thread_loop_get_loop) \
  X(thread_loop_get_time) \
  X(thread_loop_timed_wait_full) \
  X(context_new) \
  X(context_destroy) \
  X(context_connect) \
  X(context_add_spa_lib) \
  X(context_load_module) \
  X(core_disconnect) \
  X(proxy_destroy) \
  X(properties_new) \
  X(properties_set) \
  X(stream_new) \
  X(stream_destroy) \
  X(stream_add_listener) \
  X(stream_connect) \
  X(stream_get_state) \
  X(stream_set_active) \
  X(stream_dequeue_buffer) \
  X(stream_queue_buffer)
// clang-format on

struct PipeWireLibrary {
#define FLOEMARK_PIPEWIRE_DECLARE(name) decltype(&::pw_##name) name = nullptr;
  FLOEMARK_PIPEWIRE_FUNCTIONS(FLOEMARK_PIPEWIRE_DECLARE)
#undef FLOEMARK_PIPEWIRE_DECLARE

  // Loaded at the first call, from any thread, and kept for the run; nullptr, with the reason
  // in whyNot, when libpipewire-0.3.so.0 is not installed or lacks a function.
  static const PipeWireLibrary* Get(std::string& whyNot);
};

}  // namespace floemark::sound
