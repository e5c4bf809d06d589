#include "tools/soundgen/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <sstream>

namespace floemark::soundgen {
namespace {

struct Note {
  bool rest = false;
  bool buzz = false;
  double fromHz = 0;
  double toHz = 0;
  int ms = 0;
};

[[noreturn]] void Bad(const std::string& token) {
  std::fprintf(stderr, "floemark-soundgen: bad note \"%s\"\n", token.c_str());
  std::exit(2);
}

// "A4" is 440 Hz; equal temperament.
double PitchHz(const std::string& name, const std::string& token) {
  static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') Bad(token);
  int semitone = kSemitone[name[0] - 'A'];
  std::size_t at = 1;
  if (name[at] == '#')
    ++semitone, ++at;
  else if (name[at] == 'b')
    --semitone, ++at;
  if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') Bad(token);
  const int octave = name[at] - '0';
  const int fromA4 = (octave - 4) * 12 + semitone - 9;
  return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

Note ParseNote(const std::string& token) {
  const auto slash = token.find('/');
  if (slash == std::string::npos) Bad(token);
  Note note;
  note.ms = std::atoi(token.c_str() + slash + 1);
  if (note.ms <= 0) Bad(token);
  std::string pitch = token.substr(0, slash);
  if (pitch == "-") {
    note.rest = true;
    return note;
  }
  if (pitch[0] == 'N') {
    note.buzz = true;
    pitch.erase(0, 1);
  }
  const auto arrow = pitch.find('>');
  const std::string from = pitch.substr(0, arrow);
  const std::string to = arrow == std::string::npos ? from : pitch.substr(arrow + 1);
  note.fromHz = note.buzz ? std::atof(from.c_str()) : PitchHz(from, token);
  note.toHz = note.buzz ? std::atof(to.c_str()) : PitchHz(to, token);
  if (note.fromHz <= 0 || note.toHz <= 0) Bad(token);
  return note;
}

std::vector<Note> Parse(const std::string& score) {
  std::istringstream in(score);
  std::vector<Note> notes;
  for (std::string token; in >> token;) notes.push_back(ParseNote(token));
  return notes;
}

// The step correction of a band-limited pulse (polyBLEP): without it the edges of a pulse
// alias into a hiss that tires the ear.
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1;
  }
  if (t > 1 - dt) {
    t = (t - 1) / dt;
    return t * t + t + t + 1;
  }
  return 0;
}

double Envelope(const Voice& v, double ms, double lengthMs) {
  const double attack = std::min(1.0, ms / v.attackMs);
  const double decay = v.sustain + (1 - v.sustain) * std::exp(-ms / v.decayMs);
  const double release = std::clamp((lengthMs - ms) / v.releaseMs, 0.0, 1.0);
  return attack * decay * release;
}

}  // namespace

int ScoreMs(const std::string& score) {
  int ms = 0;
  for (const Note& n : Parse(score)) ms += n.ms;
  return ms;
}

std::vector<std::int16_t> Render(const Cue& cue) {
  const Voice& v = cue.voice;
  std::vector<double> wave;
  double phase = 0;
  double duty = v.duty;
  double stretch = 1;                 // a buzz's current period length, relative to its pitch
  std::uint32_t noise = 0x2545F491u;  // fixed seed: the same buzz on every run
  for (const Note& note : Parse(cue.score)) {
    const int frames = note.ms * kRate / 1000;
    for (int i = 0; i < frames; ++i) {
      if (note.rest) {
        wave.push_back(0);
        continue;
      }
      const double ms = i * 1000.0 / kRate;
      const double along = static_cast<double>(i) / frames;
      double hz = note.fromHz * std::pow(note.toHz / note.fromHz, along);
      if (note.ms > 250 && v.vibratoCents > 0) {
        // The wobble fades in, as a singer's would.
        const double depth = v.vibratoCents * std::min(1.0, ms / 250.0);
        hz *=
            std::pow(2.0, depth / 1200 * std::sin(2 * std::numbers::pi * v.vibratoHz * ms / 1000));
      }
      const double dt = hz / stretch / kRate;
      const double y = (phase < duty ? 1.0 : -1.0) + Blep(phase, dt) -
                       Blep(std::fmod(phase + 1 - duty, 1.0), dt);
      wave.push_back(y * Envelope(v, ms, note.ms));
      phase += dt;
      if (phase >= 1) {
        phase -= 1;
        if (note.buzz) {
          // Each period of the buzz takes a random length and width around its pitch: the
          // closest a one-bit buzzer comes to noise.
          noise = noise * 1664525u + 1013904223u;
          stretch = 0.4 + 1.2 * (noise >> 8) / 16777216.0;
          duty = 0.25 + 0.5 * ((noise >> 4) & 0xF) / 15.0;
        }
      }
    }
    stretch = 1;
    duty = v.duty;
  }
  // The speaker: a gentle two-pole roll-off above 4 kHz and no bass below 250 Hz.
  const double low = 1 - std::exp(-2 * std::numbers::pi * 4000.0 / kRate);
  const double high = std::exp(-2 * std::numbers::pi * 250.0 / kRate);
  double a = 0, b = 0, prevIn = 0, prevOut = 0, peak = 0;
  for (double& s : wave) {
    a += low * (s - a);
    b += low * (a - b);
    const double out = high * (prevOut + b - prevIn);
    prevIn = b;
    prevOut = out;
    s = out;
    peak = std::max(peak, std::abs(out));
  }
  std::vector<std::int16_t> pcm(wave.size());
  const double gain = peak > 0 ? cue.peak * 32767 / peak : 0;
  for (std::size_t i = 0; i < wave.size(); ++i) {
    pcm[i] = static_cast<std::int16_t>(std::lround(wave[i] * gain));
  }
  return pcm;
}

}  // namespace floemark::soundgen
