#include "sdl_audio/pipewire_library.h"

#include "loaded/library_table.h"

namespace floemark::sound {

const PipeWireLibrary* PipeWireLibrary::Get(std::string& whyNot) {
  return loaded::LoadTable<PipeWireLibrary>("libpipewire-0.3.so.0", whyNot,
                                            [](PipeWireLibrary& table, loaded::Symbols& symbols) {
#define FLOEMARK_PIPEWIRE_LOAD(name) symbols.Find("pw_" #name, table.name);
                                              FLOEMARK_PIPEWIRE_FUNCTIONS(FLOEMARK_PIPEWIRE_LOAD)
#undef FLOEMARK_PIPEWIRE_LOAD
                                            });
}

}  // namespace floemark::sound
