// floemark-e2e-sound WINDOW ASSETS sound: plays a one-player game in the console window WINDOW
// and listens to what the PulseAudio server of $E2E_PULSE_DIR (started with the script
// $E2E_PULSE_SH, the test's own) plays on its null sink "floemark_test":
// the start jingle within 40 ms of the start key, a rolling bomb's tick every 400 ms, silence
// with the sound switched off, the game's stream gone with the power off, and sound again
// after the server is restarted in the middle of the game. The repository's sound files, next to
// ASSETS, tell the sounds apart. Prints "ok: ..." for each check passed, and the program's
// wakeups; exits 1 with "FAIL: ..." at the first check that does not pass.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "listener.h"
#include "pactl.h"
#include "scenario.h"

// clang-format off
#include <X11/Xlib.h>  // last: its macros clash with the panel's names
#include <X11/Xatom.h>
// clang-format on

namespace floemark::e2e {
namespace {

using Samples = std::vector<std::int16_t>;

// Sounds are compared smoothed: the sink's resampler and SDL's shape the sounds' highest harmonics
// differently.
Samples Smoothed(const Samples& x) {
  Samples out(x.size());
  for (std::size_t i = 0; i < x.size(); ++i) {
    int sum = 0, n = 0;
    for (std::size_t j = i >= 2 ? i - 2 : 0; j <= i + 2 && j < x.size(); ++j) sum += x[j], ++n;
    out[i] = static_cast<std::int16_t>(sum / n);
  }
  return out;
}

// A sound file as the sink plays it, from its first audible sample: mono at the sink's rate.
Samples Template(const std::string& path) {
  SDL_AudioSpec spec;
  Uint8* data = nullptr;
  Uint32 bytes = 0;
  if (!SDL_LoadWAV(path.c_str(), &spec, &data, &bytes)) {
    std::fprintf(stderr, "FAIL: cannot read %s: %s\n", path.c_str(), SDL_GetError());
    std::exit(1);
  }
  SDL_AudioCVT cvt;
  SDL_BuildAudioCVT(&cvt, spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, Listener::kRate);
  std::vector<Uint8> buffer(static_cast<std::size_t>(bytes) * std::max(1, cvt.len_mult));
  std::copy(data, data + bytes, buffer.begin());
  SDL_FreeWAV(data);
  cvt.buf = buffer.data();
  cvt.len = static_cast<int>(bytes);
  if (cvt.needed) SDL_ConvertAudio(&cvt);
  const auto* s = reinterpret_cast<const std::int16_t*>(buffer.data());
  Samples out(s, s + cvt.len_cvt / 2);
  const auto first = std::find_if(out.begin(), out.end(), [](int v) { return std::abs(v) > 300; });
  return Smoothed(Samples(first, out.end()));
}

// How alike a recorded start is to a sound: the best normalised correlation of its first 30 ms
// with the sound from any point of the sound's first 45 ms, over at least 10 ms. A sound
// stopped half-way goes on from there at its next cue, so its start is not always the file's
// (the sink's resampler also shifts it by a fraction of a millisecond).
double Likeness(const Samples& raw, const Samples& sound) {
  const Samples heard = Smoothed(raw);
  const long n = std::min<long>(static_cast<long>(heard.size()), Listener::kRate * 30 / 1000);
  const long least = Listener::kRate / 100;
  double best = 0;
  for (long lag = -8; lag <= Listener::kRate * 45 / 1000; ++lag) {
    double xy = 0, xx = 0, yy = 0;
    long overlap = 0;
    for (long i = std::max(0L, -lag); i < n && i + lag < static_cast<long>(sound.size()); ++i) {
      const double x = heard[i], y = sound[i + lag];
      xy += x * y;
      xx += x * x;
      yy += y * y;
      ++overlap;
    }
    if (overlap >= least && xx > 0 && yy > 0) best = std::max(best, xy / std::sqrt(xx * yy));
  }
  return best;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Context switches of each of the program's threads so far, by thread id.
std::map<std::string, long> Switches(int pid) {
  std::map<std::string, long> threads;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::FILE* ls = popen(("ls " + tasks).c_str(), "r");
  char tid[32];
  while (ls && std::fscanf(ls, "%31s", tid) == 1) {
    std::ifstream status(tasks + "/" + tid + "/status");
    std::string line;
    long& sum = threads[tid];
    while (std::getline(status, line)) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
          line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
        sum += std::atol(line.substr(line.find(':') + 1).c_str());
    }
  }
  if (ls) pclose(ls);
  return threads;
}

// Wakeups a second of the whole program, threads included, over ms, as the kernel counts them
// (voluntary and involuntary context switches). A thread that ends meanwhile takes its count
// with it, so those are told.
double MeasureWakeups(int pid, int ms, const char* while_) {
  const auto before = Switches(pid);
  const auto start = Clock::now();
  SleepMs(ms);
  const auto after = Switches(pid);
  const double seconds = Ms(Clock::now() - start) / 1000;
  long sum = 0;
  int started = 0, ended = 0;
  for (const auto& [tid, n] : after) {
    const auto it = before.find(tid);
    sum += n - (it == before.end() ? 0 : it->second);
    started += it == before.end();
  }
  for (const auto& [tid, n] : before) ended += after.count(tid) == 0;
  std::printf(
      "ok: measured %s: %.1f wakeups a second over %.1f s (%zu threads; %d started, "
      "%d ended meanwhile)\n",
      while_, sum / seconds, seconds, after.size(), started, ended);
  std::fflush(stdout);
  return sum / seconds;
}

// The process that owns the window, as it told the X server.
int WindowPid(Display* display, Window window) {
  Atom type;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  int pid = 0;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                         XA_CARDINAL, &type, &format, &count, &left, &data) == Success &&
      data && count == 1 && format == 32)
    pid = static_cast<int>(*reinterpret_cast<unsigned long*>(data));
  if (data) XFree(data);
  return pid;
}

// A sanitized build of the game mixes and draws several times slower: its sounds may come later
// after the LCD's step than a person would notice in the real build, and that is not what a
// sanitizer run is for.
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSanitizerSlackMs = 60;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr double kSanitizerSlackMs = 60;
#else
constexpr double kSanitizerSlackMs = 0;
#endif
#else
constexpr double kSanitizerSlackMs = 0;
#endif

struct Test {
  Context& ctx;
  Listener& ears;
  std::map<std::string, Samples> sounds;
  int pid;

  // The sounds heard in [from, to), each named by the game sound it is most like (at least
  // 0.6 alike, and 0.2 more than like any other), or "?".
  std::vector<std::pair<Clock::time_point, std::string>> Heard(Clock::time_point from,
                                                               Clock::time_point to) {
    AwaitRecorded(to);
    std::vector<std::pair<Clock::time_point, std::string>> heard;
    for (const auto& onset : ears.Onsets(from, to)) {
      std::string name = "?";
      double best = 0, second = 0;
      for (const auto& [file, sound] : sounds) {
        const double l = Likeness(onset.start, sound);
        if (l > best)
          second = best, best = l, name = file;
        else
          second = std::max(second, l);
      }
      if (best < 0.6 || best - second < 0.2) name = "?";
      heard.emplace_back(onset.at, name);
    }
    return heard;
  }

  // The monitor hands the recording over a little after the sink played it, and a busy machine
  // later still: a span judged before its frames arrived would seem silent. Waits (a few
  // seconds at most: a restarted server leaves a gap that never fills) for the end of the span.
  void AwaitRecorded(Clock::time_point to) const {
    const auto from = to - std::chrono::milliseconds(100);
    double covered = 0;
    for (int waited = 0; waited < 3000; waited += 20) {
      ears.Peak(from, to, &covered);
      if (covered >= 95) return;
      SleepMs(20);
    }
  }

  void Fail(const std::string& what) { floemark::e2e::Fail(ctx, what); }
};

// The game's streams on the server: no stream before anything sounds; the start jingle's
// stream, its name, icon and role, and on PipeWire its own client's.
void StreamAtTheFirstCue(Test& t) {
  SleepMs(2500);  // whatever the program did at its start has had time to open a stream
  if (!GameStreams().empty()) t.Fail("the program holds a stream before anything sounds");
  Note("no stream of the game before anything sounds");
  MeasureWakeups(t.pid, 10000, "before the power is switched on, nothing sounding");
  PowerOn(t.ctx);
  // The moment just before the key goes down through XTest, on the clock the recording is
  // timed on (listener.h): the jingle's delay counts the X server, Qt, the game, the mixer,
  // the stream's opening and the sound server, everything between the person and the sink.
  const auto pressed = StartGame(t.ctx, 1);
  SleepMs(1500);
  const auto streams = GameStreams();  // by application name: "Floemark Simulator"
  if (streams.size() != 1) t.Fail(std::to_string(streams.size()) + " streams of the game, not 1");
  const auto& p = streams.front();
  const auto prop = [&](const char* k) {
    const auto it = p.find(k);
    return it == p.end() ? std::string("(none)") : it->second;
  };
  if (prop("application.icon_name") != FLOEMARK_APP_ID || prop("media.role") != "game" ||
      prop("media.name").empty() || prop("media.name") == "(none)")
    t.Fail("the stream tells the server: icon " + prop("application.icon_name") + ", role " +
           prop("media.role") + ", name " + prop("media.name"));
  // On PipeWire the game plays to PipeWire itself: through its PulseAudio server the stream
  // would cost the machine half as much again.
  if (prop("client.api") == "pipewire-pulse")
    t.Fail("the stream comes through PipeWire's PulseAudio server, not to PipeWire itself");
  Note("the stream is \"" + prop("media.name") + "\" of \"" + prop("application.name") +
       "\", icon " + prop("application.icon_name") + ", role " + prop("media.role"));

  const auto heard = t.Heard(pressed - std::chrono::milliseconds(200), Clock::now());
  if (heard.empty()) {
    double covered = 0;
    const int peak = t.ears.Peak(pressed, Clock::now(), &covered);
    std::fprintf(stderr, "  since the key: %.0f ms recorded of %.0f, loudest sample %d\n", covered,
                 Ms(Clock::now() - pressed), peak);
    t.Fail("nothing sounded after the start key");
  }
  if (heard.front().second != "START.WAV")
    t.Fail("the first sound after the start key is " + heard.front().second + ", not the jingle");
  const double late = Ms(heard.front().first - pressed);
  std::printf("ok: the start jingle began %.1f ms after the start key went down\n", late);
  // The null sink hands a block to the monitor as it mixes it, before the moment the block stands
  // for: the recording's clock may place a sound up to a block (the listener's 5 ms fragment)
  // early, so a jingle on its way within a few milliseconds can seem to begin before the key.
  const double limit = 40 + kSanitizerSlackMs;
  if (late < -5 || late > limit)
    t.Fail("the start jingle began " + std::to_string(late) + " ms after the key, not within " +
           std::to_string(limit));
  Note("the start jingle begins within 40 ms of the start key");
}

using Heard = std::vector<std::pair<Clock::time_point, std::string>>;

// The ticks of one rolling bomb among the sounds heard: a chain of onsets 400 ms apart (give or
// take Qt's timers on a loaded machine and a device period), each heard shortly before the roll
// it goes with is seen (the cue precedes the repaint that shows it). The other bomb's ticks form
// a chain of their own 200 ms off, so one chain never mixes the two; of the chains that go with
// the rolls, the one heard closest before them is the followed bomb's. The first roll may be a
// throw, which is silent. Empty when no chain goes with every roll but the first.
std::vector<std::size_t> TicksOfRolls(const std::vector<Clock::time_point>& seen,
                                      const Heard& heard) {
  const auto lag = [&](std::size_t roll, std::size_t onset) {
    return Ms(seen[roll] - heard[onset].first);
  };
  const double late = -40 - kSanitizerSlackMs;     // heard after the LCD showed the roll
  const double give = 40 + kSanitizerSlackMs / 2;  // off the 400 ms
  // A catch plays its own sound; the jingle, the wall's and the explosion's are not ticks.
  const auto could_be_tick = [&](std::size_t onset) {
    const std::string& name = heard[onset].second;
    return name != "START.WAV" && name != "BLOCK.WAV" && name != "BOMBED.WAV";
  };
  std::vector<std::size_t> best;
  double best_lag = 0;
  for (std::size_t first = 0; first < 2 && first < seen.size(); ++first) {
    for (std::size_t o = 0; o < heard.size(); ++o) {
      if (!could_be_tick(o) || lag(first, o) < late || lag(first, o) > 300) continue;
      std::vector<std::size_t> chain{o};
      double lags = lag(first, o);
      for (std::size_t roll = first + 1; roll < seen.size(); ++roll) {
        std::optional<std::size_t> next;
        for (std::size_t c = 0; c < heard.size(); ++c) {
          const double gap = Ms(heard[c].first - heard[chain.back()].first);
          if (!could_be_tick(c) || std::abs(gap - 400) > give || lag(roll, c) < late ||
              lag(roll, c) > 300)
            continue;
          if (!next || std::abs(gap - 400) <
                           std::abs(Ms(heard[*next].first - heard[chain.back()].first) - 400))
            next = c;
        }
        if (!next) break;
        chain.push_back(*next);
        lags += lag(roll, *next);
      }
      if (first + chain.size() != seen.size()) continue;
      const double mean_lag = lags / static_cast<double>(chain.size());
      if (best.empty() || chain.size() > best.size() ||
          (chain.size() == best.size() && std::abs(mean_lag - 20) < std::abs(best_lag - 20))) {
        best = chain;
        best_lag = mean_lag;
      }
    }
  }
  return best;
}

// The first bomb seen rolling four cells in a row on the LCD ticks every 400 ms.
void TicksWhileRolling(Test& t) {
  using Place = std::pair<int, int>;
  std::vector<Clock::time_point> seen;  // the rolls of the bomb followed
  Place at{0, 0};
  int direction = 0;  // of the bomb followed, in cells
  Grab(t.ctx);
  auto bombs = t.ctx.lcd.Bombs();
  // Nobody plays the penguin: most bombs drop onto its screen and roll three cells to it. The
  // long rolls are the computer's throws that no wall turns back, so they are waited for.
  const bool followed = WaitFor(
      t.ctx, 45000,
      [&] {
        const auto now = t.ctx.lcd.Bombs();
        const auto in = [](const auto& v, Place p) {
          return std::find(v.begin(), v.end(), p) != v.end();
        };
        bool still = false;
        for (const Place& to : now) {
          if (in(bombs, to)) continue;
          for (const Place& from :
               {Place{to.first, to.second - 1}, Place{to.first, to.second + 1}}) {
            if (!in(bombs, from) || in(now, from)) continue;
            if (!seen.empty() && from != at) continue;
            // A turn (a throw, the wall) begins another roll.
            if (to.second - from.second != direction) seen.clear();
            seen.push_back(Clock::now());
            at = to;
            direction = to.second - from.second;
            still = true;
          }
        }
        // Gone (exploded, snatched) or held: another bomb is followed.
        if (!still && !seen.empty() && (!in(now, at) || MsSince(seen.back()) > 600)) seen.clear();
        bombs = now;
        return seen.size() >= 4;
      },
      10);
  if (!followed) {
    for (const auto& [lane, cell] : t.ctx.lcd.Bombs())
      std::fprintf(stderr, "  a bomb in lane %d, cell %d\n", lane, cell);
    t.Fail("no bomb rolled four cells in a row in 45 s of play");
  }
  SleepMs(300);
  const Heard heard = t.Heard(seen.front() - std::chrono::milliseconds(500), Clock::now());
  const std::vector<std::size_t> ticks = TicksOfRolls(seen, heard);
  if (ticks.empty()) {
    for (const auto& [onset, name] : heard)
      std::fprintf(stderr, "  heard %s %.0f ms after the first roll was seen\n", name.c_str(),
                   Ms(onset - seen.front()));
    for (const auto& w : seen)
      std::fprintf(stderr, "  a roll seen at %.0f ms\n", Ms(w - seen.front()));
    t.Fail("the rolls of the bomb were not heard as ticks 400 ms apart");
  }
  std::string gaps;
  int told = 0;  // ticks recognised as the tick; one mixed with another sound's start may not be
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    told += heard[ticks[i]].second == "TEMPO.WAV";
    if (i == 0) continue;
    const double gap = Ms(heard[ticks[i]].first - heard[ticks[i - 1]].first);
    gaps += " " + std::to_string(static_cast<int>(std::lround(gap)));
  }
  if (told == 0) t.Fail("none of the sounds of the rolling bomb was its tick");
  Note("a rolling bomb ticks every 400 ms (ms between ticks:" + gaps + "; " + std::to_string(told) +
       " of " + std::to_string(ticks.size()) + " told for the tick)");
  MeasureWakeups(t.pid, 10000, "during play, nobody at the keys");
}

// Nothing sounds with the sound switched off, while the game plays on.
void SilentWithSoundOff(Test& t) {
  Grab(t.ctx);
  const std::string before = t.ctx.lcd.ScreenPixels();
  t.ctx.person.Click(184 + 14, 320 + 14);
  const auto off = Clock::now() + std::chrono::milliseconds(150);
  bool moved = false;
  while (Clock::now() < off + std::chrono::milliseconds(4000)) {
    Grab(t.ctx);
    moved = moved || t.ctx.lcd.ScreenPixels() != before;
    SleepMs(100);
  }
  const auto until = Clock::now() - std::chrono::milliseconds(100);
  double covered = 0;
  const int peak = t.ears.Peak(off, until, &covered);
  if (!moved) t.Fail("the game stood still while the sound was off");
  // A loaded server drops frames now and then (listener.h: a sanitized run on PipeWire kept 87%
  // of this span); three quarters of it heard silent is still the whole sound switched off.
  if (covered < Ms(until - off) * 0.75)
    t.Fail("only " + std::to_string(covered) + " ms recorded of the " +
           std::to_string(Ms(until - off)) + " with the sound switched off");
  if (peak > 0) t.Fail("a sound of " + std::to_string(peak) + " with the sound switched off");
  Note("nothing sounds for 4 s with the sound switched off, while the game plays on");
  t.ctx.person.Click(184 + 14, 320 + 14);
}

// A bomb stepped one cell along its lane between two looks at the LCD: a game tick rolled it,
// and played the tick (or the catch, where it came to a player's feet). The vulture's flight
// changes a carried bomb's lane, never its cell.
bool Rolled(const std::vector<std::pair<int, int>>& before,
            const std::vector<std::pair<int, int>>& now) {
  const auto in = [](const auto& v, int lane, int cell) {
    return std::find(v.begin(), v.end(), std::pair{lane, cell}) != v.end();
  };
  for (const auto& [lane, cell] : now) {
    if (in(before, lane, cell)) continue;
    for (int from : {cell - 1, cell + 1})
      if (in(before, lane, from) && !in(now, lane, from)) return true;
  }
  return false;
}

// The server is restarted in the middle of a game; the first roll of a bomb after it is heard
// from the new server. The game's stream on the old one was lost under it.
void SoundAfterServerRestart(Test& t, const std::string& pulse_sh, const std::string& dir) {
  const int connections = t.ears.Connections();
  if (std::system(("bash " + pulse_sh + " restart " + dir).c_str()) != 0)
    t.Fail("the sound server did not restart");
  const auto restarted = Clock::now();
  if (!WaitFor(t.ctx, 5000,
               [&] { return t.ears.Connections() > connections && t.ears.Recording(200); }))
    t.Fail("the test could not listen to the restarted server");
  Grab(t.ctx);
  auto bombs = t.ctx.lcd.Bombs();
  Clock::time_point seen{};
  const bool rolled = WaitFor(
      t.ctx, 15000,
      [&] {
        const auto now = t.ctx.lcd.Bombs();
        if (Rolled(bombs, now)) return seen = Clock::now(), true;
        bombs = now;
        return false;
      },
      10);
  if (!rolled) t.Fail("no bomb rolled in 15 s after the sound server restarted");
  // The cue comes just before the repaint that shows the roll: a look (10 ms) and a repaint
  // (which a busy machine delays) before it was seen, and its sound within 40 ms of the cue;
  // the other bomb's tick would be 200 ms away.
  SleepMs(500);
  const auto heard =
      t.Heard(seen - std::chrono::milliseconds(200), seen + std::chrono::milliseconds(100));
  // Its tick or catch ("?" when it is mixed with the start of another sound).
  const auto tick = std::find_if(heard.begin(), heard.end(), [](const auto& h) {
    return h.second == "TEMPO.WAV" || h.second == "GOT.WAV" || h.second == "?";
  });
  if (tick == heard.end()) {
    for (const auto& [onset, name] : t.Heard(restarted, seen + std::chrono::milliseconds(400)))
      std::fprintf(stderr, "  heard %s %.0f ms after the roll was seen\n", name.c_str(),
                   Ms(onset - seen));
    std::fprintf(stderr, "  the roll seen %.0f ms after the restart; %zu streams of the game\n",
                 Ms(seen - restarted), GameStreams().size());
    t.Fail("the first roll after the sound server restarted was not heard");
  }
  if (GameStreams().size() != 1) t.Fail("the game has no stream on the restarted server");
  std::printf(
      "ok: the first roll %.0f ms after the sound server restarted sounded (%s, %.0f ms "
      "from the LCD)\n",
      Ms(seen - restarted), tick->second.c_str(), Ms(tick->first - seen));
}

// With the power off for five seconds, the game has no stream.
void NoStreamWithPowerOff(Test& t) {
  t.ctx.person.Click(104 + 14, 320 + 14);
  const auto off = Clock::now();
  // Two seconds of silence close the stream; the last sound may still be playing at the click.
  SleepMs(3000);
  while (MsSince(off) < 8000) {
    if (!GameStreams().empty())
      t.Fail("a stream of the game exists " + std::to_string(MsSince(off)) +
             " ms after the power went off");
    SleepMs(250);
  }
  Note("no stream of the game from 3 s to 8 s after the power went off");
  MeasureWakeups(t.pid, 10000, "with the power off");
}

}  // namespace
}  // namespace floemark::e2e

int main(int argc, char** argv) {
  using namespace floemark::e2e;
  const char* pulse_sh = std::getenv("E2E_PULSE_SH");
  const char* pulse_dir = std::getenv("E2E_PULSE_DIR");
  if (argc != 4 || !pulse_sh || !pulse_dir) {
    std::fprintf(stderr,
                 "usage: E2E_PULSE_SH=... E2E_PULSE_DIR=... floemark-e2e-sound WINDOW "
                 "ASSETS sound\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "floemark-e2e-sound: no display\n");
    return 2;
  }
  const Window window = std::strtoul(argv[1], nullptr, 0);
  const int pid = WindowPid(display, window);
  if (pid <= 0) {
    std::fprintf(stderr, "FAIL: the console window names no process\n");
    return 1;
  }
  Lcd lcd(display, window, argv[2]);
  Person person(display, window);
  Context ctx{lcd, person, "", ""};
  Listener ears("floemark_test.monitor");
  Test t{ctx, ears, {}, pid};
  for (const char* f : {"START.WAV", "TEMPO.WAV", "GOT.WAV", "BLOCK.WAV", "BOMBED.WAV"})
    t.sounds[f] = Template(std::string(argv[2]) + "/../SOUND/" + f);
  if (!WaitFor(ctx, 5000, [&] { return ears.Recording(500); }))
    Fail(ctx, "the test cannot record the sink's monitor");

  StreamAtTheFirstCue(t);
  TicksWhileRolling(t);
  SilentWithSoundOff(t);
  SoundAfterServerRestart(t, pulse_sh, pulse_dir);
  NoStreamWithPowerOff(t);
  XCloseDisplay(display);
  return 0;
}
