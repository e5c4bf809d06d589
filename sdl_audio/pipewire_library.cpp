#include "sdl_audio/pipewire_library.h"

#include <dlfcn.h>

#include <string>

namespace floemark::sound {
namespace {

struct Loaded {
  PipeWireLibrary library;
  std::string whyNot;
  bool ok = false;
};

Loaded Load() {
  Loaded loaded;
  // Never closed: libpipewire keeps state of its own (its plugins, its log) for the process.
  void* handle = dlopen("libpipewire-0.3.so.0", RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    loaded.whyNot = dlerror();
    return loaded;
  }
#define FLOEMARK_PIPEWIRE_LOAD(name)                                               \
  loaded.library.name =                                                            \
      reinterpret_cast<decltype(loaded.library.name)>(dlsym(handle, "pw_" #name)); \
  if (loaded.library.name == nullptr) {                                            \
    loaded.whyNot = "libpipewire has no pw_" #name;                                \
    return loaded;                                                                 \
  }
  FLOEMARK_PIPEWIRE_FUNCTIONS(FLOEMARK_PIPEWIRE_LOAD)
#undef FLOEMARK_PIPEWIRE_LOAD
  loaded.ok = true;
  return loaded;
}

}  // namespace

const PipeWireLibrary* PipeWireLibrary::Get(std::string& whyNot) {
  static const Loaded loaded = Load();
  if (!loaded.ok) whyNot = loaded.whyNot;
  return loaded.ok ? &loaded.library : nullptr;
}

}  // namespace floemark::sound
