#include "sdl_audio/pulse_library.h"

#include "loaded/library_table.h"

namespace floemark::sound {

const PulseLibrary* PulseLibrary::Get(std::string& whyNot) {
  return loaded::LoadTable<PulseLibrary>("libpulse.so.0", whyNot,
                                         [](PulseLibrary& table, loaded::Symbols& symbols) {
#define FLOEMARK_PULSE_LOAD(name) symbols.Find("pa_" #name, table.name);
                                           FLOEMARK_PULSE_FUNCTIONS(FLOEMARK_PULSE_LOAD)
#undef FLOEMARK_PULSE_LOAD
                                         });
}

}  // namespace floemark::sound
