#pragma once
// The sound files the console loads from ./SOUND/, and which of them cannot be loaded there. A
// console whose sounds are missing plays another game, as the handheld did: a sound that never
// plays never ends, and what waits for its end never comes (the bombs never roll). A replay
// from such a folder is therefore told apart, on standard error, from one of the real game.

#include <string>
#include <vector>

namespace floemark::console {

// The files, as the sound folder names them ("START.WAV").
const std::vector<std::string>& SoundFiles();

// Each file of SoundFiles() that cannot be loaded from ./SOUND/ (relative to the working
// directory), as the error that names it and the reason. Empty when all of them load.
std::vector<std::string> UnloadableSounds();

// The lines that say so, each closed by a newline and opened by "program: "; empty when every
// sound loads.
std::string UnloadableSoundsNotice(const std::string& program);

}  // namespace floemark::console
