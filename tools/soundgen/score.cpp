// The score of the game's seven sounds. Every cue must fit the moment it plays in: the tick
// repeats every 400 ms while a bomb rolls, the start jingle has the 3400 ms start delay, the
// bonus jingle the 6805 ms bonus, the explosion the error sequence from 300 ms to 2200 ms,
// the game-over jingle the 2000 ms hold. Peaks stay at 0.3 of full scale at most, so that the
// jingle, the tick and the catch sounding at once still add up below clipping.
#include "tools/soundgen/synth.h"

namespace floemark::soundgen {

const std::vector<Cue>& GameCues() {
  static const std::vector<Cue> cues = {
      // A bomb rolls one cell: a tiny falling blip, short enough to be over long before the
      // next one, soft enough to hear a whole game of.
      {"TEMPO.WAV",
       {.duty = 0.5, .attackMs = 1.5, .decayMs = 14, .sustain = 0.15, .releaseMs = 8},
       "D6>A5/32",
       0.22},

      // A bomb is caught: a thin rising pair, unmistakably not the tick.
      {"GOT.WAV",
       {.duty = 0.25, .attackMs = 2, .decayMs = 60, .sustain = 0.4, .releaseMs = 15},
       "G5/45 D6/95"},

      // An ice block is taken or stacked: a glassy clink and its softer echo.
      {"BLOCK.WAV",
       {.duty = 0.2, .attackMs = 1, .decayMs = 30, .sustain = 0.12, .releaseMs = 20},
       "A6/35 -/12 E6/95"},

      // Game start: a bright call to play, done within the start delay.
      {"START.WAV",
       {.duty = 0.5,
        .attackMs = 3,
        .decayMs = 90,
        .sustain = 0.55,
        .releaseMs = 20,
        .vibratoCents = 12},
       "C5/160 E5/160 G5/160 C6/320 A5/160 C6/160 G5/320 -/160 "
       "F5/160 A5/160 G5/160 E5/160 D5/160 G5/160 C6/480"},

      // A ladder of three blocks: a fanfare climbing through three chords, held at the end.
      {"BONUS.WAV",
       {.duty = 0.25,
        .attackMs = 3,
        .decayMs = 100,
        .sustain = 0.5,
        .releaseMs = 20,
        .vibratoCents = 15},
       "G4/150 C5/150 E5/150 G5/300 E5/150 G5/450 -/150 "
       "A4/150 D5/150 F5/150 A5/300 F5/150 A5/450 -/150 "
       "C5/150 E5/150 G5/150 C6/300 B5/150 C6/150 D6/150 E6/600 "
       "-/150 C6/150 G5/150 E5/150 C6/600"},

      // A bomb explodes: a falling buzz that dies away before the round is set up again.
      {"BOMBED.WAV",
       {.duty = 0.5, .attackMs = 1, .decayMs = 380, .sustain = 0.06, .releaseMs = 250},
       "N1400>45/1500"},

      // Game over: a falling line that settles, within the 2000 ms hold.
      {"OVER.WAV",
       {.duty = 0.5,
        .attackMs = 3,
        .decayMs = 120,
        .sustain = 0.5,
        .releaseMs = 40,
        .vibratoCents = 25,
        .vibratoHz = 5},
       "G5/200 F#5/200 F5/200 E5/400 -/80 C5>G4/720"},
  };
  return cues;
}

}  // namespace floemark::soundgen
