#pragma once
// A piezo buzzer as on an LCD handheld: one pulse-wave voice at a time, notes with a gentle
// envelope, rounded off by the small speaker's filtering. Deterministic: the same score gives
// the same samples on every run.

#include <cstdint>
#include <string>
#include <vector>

namespace floemark::soundgen {

inline constexpr int kRate = 48000;  // so that every millisecond is exactly 48 frames

// How a cue's notes sound. Times in milliseconds.
struct Voice {
  double duty = 0.5;        // pulse width: 0.5 a square, smaller is thinner and brighter
  double attackMs = 3;      // rise from silence, so no note starts with a click
  double decayMs = 80;      // time constant of the fall from full level toward sustain
  double sustain = 0.5;     // level a long note settles at, 0..1
  double releaseMs = 12;    // fade at the end of each note, so notes are separated
  double vibratoCents = 0;  // depth of a slow pitch wobble on notes longer than 250 ms
  double vibratoHz = 6;
};

// A cue: a voice and its notes, written as a score string of space-separated notes
// "PITCH/MS": PITCH is a note name with octave ("C5", "F#4", "Bb5"), "-" for a rest, "A>B" for
// a pitch that slides from A to B over the note, or "N" + Hz ("N900>60") for a buzz of random
// pulse lengths around that pitch (the handheld's explosion). "C5/150" is C5 for 150 ms.
struct Cue {
  std::string file;
  Voice voice;
  std::string score;
  double peak = 0.3;  // peak level as a fraction of full scale
};

// Samples of the cue at kRate, 16-bit mono. Aborts with a message on a malformed score.
std::vector<std::int16_t> Render(const Cue& cue);

// The length of the score in milliseconds.
int ScoreMs(const std::string& score);

// The cues of the game (score.cpp).
const std::vector<Cue>& GameCues();

}  // namespace floemark::soundgen
