#pragma once
// The game's streams on the sound server, as `pactl list sink-inputs` shows them to a person.

#include <map>
#include <string>
#include <vector>

namespace floemark::e2e {

using Properties = std::map<std::string, std::string>;

// The properties of every sink input whose application.name is "Floemark Simulator".
std::vector<Properties> GameStreams();

}  // namespace floemark::e2e
