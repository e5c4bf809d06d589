#include "sdl/sdl_library.h"

#include <dlfcn.h>

#include <string>

namespace floemark::sdl {
namespace {

struct Loaded {
  SdlLibrary library;
  std::string whyNot;
  bool ok = false;
};

Loaded Load() {
  Loaded loaded;
  // Never closed: SDL's subsystems, once started, keep threads and state for the process.
  void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    loaded.whyNot = dlerror();
    return loaded;
  }
#define FLOEMARK_SDL_LOAD(name)                                                     \
  loaded.library.name =                                                             \
      reinterpret_cast<decltype(loaded.library.name)>(dlsym(handle, "SDL_" #name)); \
  if (loaded.library.name == nullptr) {                                             \
    loaded.whyNot = "libSDL2 has no SDL_" #name;                                    \
    return loaded;                                                                  \
  }
  FLOEMARK_SDL_FUNCTIONS(FLOEMARK_SDL_LOAD)
#undef FLOEMARK_SDL_LOAD
  loaded.ok = true;
  return loaded;
}

}  // namespace

const SdlLibrary* SdlLibrary::Get(std::string& whyNot) {
  static const Loaded loaded = Load();
  if (!loaded.ok) whyNot = loaded.whyNot;
  return loaded.ok ? &loaded.library : nullptr;
}

}  // namespace floemark::sdl
