#include "sdl_audio/pulse_library.h"

#include <dlfcn.h>

#include <string>

namespace floemark::sound {
namespace {

struct Loaded {
  PulseLibrary library;
  std::string whyNot;
  bool ok = false;
};

Loaded Load() {
  Loaded loaded;
  // Never closed: libpulse keeps threads and state of its own (its signal and fork handlers,
  // its shared-memory pools) that unloading would leave pointing nowhere.
  void* handle = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    loaded.whyNot = dlerror();
    return loaded;
  }
#define FLOEMARK_PULSE_LOAD(name)                                                  \
  loaded.library.name =                                                            \
      reinterpret_cast<decltype(loaded.library.name)>(dlsym(handle, "pa_" #name)); \
  if (loaded.library.name == nullptr) {                                            \
    loaded.whyNot = "libpulse has no pa_" #name;                                   \
    return loaded;                                                                 \
  }
  FLOEMARK_PULSE_FUNCTIONS(FLOEMARK_PULSE_LOAD)
#undef FLOEMARK_PULSE_LOAD
  loaded.ok = true;
  return loaded;
}

}  // namespace

const PulseLibrary* PulseLibrary::Get(std::string& whyNot) {
  static const Loaded loaded = Load();
  if (!loaded.ok) whyNot = loaded.whyNot;
  return loaded.ok ? &loaded.library : nullptr;
}

}  // namespace floemark::sound
