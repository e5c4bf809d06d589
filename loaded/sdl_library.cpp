#include "loaded/sdl_library.h"

#include "loaded/library_table.h"

namespace floemark::sdl {

const SdlLibrary* SdlLibrary::Get(std::string& whyNot) {
  return loaded::LoadTable<SdlLibrary>("libSDL2-2.0.so.0", whyNot,
                                       [](SdlLibrary& table, loaded::Symbols& symbols) {
#define FLOEMARK_SDL_LOAD(name) symbols.Find("SDL_" #name, table.name);
                                         FLOEMARK_SDL_FUNCTIONS(FLOEMARK_SDL_LOAD)
#undef FLOEMARK_SDL_LOAD
                                       });
}

}  // namespace floemark::sdl
