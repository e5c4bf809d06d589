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
#include <sstream>
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
  return Samples(first, out.end());
}

// How alike a recorded start is to a sound's start: the best normalised correlation within a
// fraction of a millisecond of the onsets' alignment (the sink's resampler shifts it a little).
double Likeness(const Samples& heard, const Samples& sound) {
  double best = 0;
  for (int lag = -8; lag <= 8; ++lag) {
    double xy = 0, xx = 0, yy = 0;
    for (std::size_t i = 0; i < heard.size(); ++i) {
      const long j = static_cast<long>(i) + lag;
      if (j < 0 || j >= static_cast<long>(sound.size())) continue;
      const double x = heard[i], y = sound[j];
      xy += x * y;
      xx += x * x;
      yy += y * y;
    }
    if (xx > 0 && yy > 0) best = std::max(best, xy / std::sqrt(xx * yy));
  }
  return best;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Context switches of all the program's threads so far, and how many threads there are. A
// thread that ends takes its count with it, which is why the count of threads is shown too.
std::pair<long, int> Switches(int pid) {
  long sum = 0;
  int threads = 0;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  std::FILE* ls = popen(("ls " + tasks).c_str(), "r");
  char tid[32];
  while (ls && std::fscanf(ls, "%31s", tid) == 1) {
    std::ifstream status(tasks + "/" + tid + "/status");
    std::string line;
    ++threads;
    while (std::getline(status, line)) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
          line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
        sum += std::atol(line.substr(line.find(':') + 1).c_str());
    }
  }
  if (ls) pclose(ls);
  return {sum, threads};
}

// Wakeups a second of the whole program over ms, as the kernel counts them.
void MeasureWakeups(int pid, int ms, const char* while_) {
  const auto [before, threads_before] = Switches(pid);
  const auto start = Clock::now();
  SleepMs(ms);
  const auto [after, threads_after] = Switches(pid);
  std::printf("ok: measured %s: %.1f wakeups a second over %.1f s (threads %d, then %d)\n", while_,
              (after - before) * 1000.0 / Ms(Clock::now() - start), Ms(Clock::now() - start) / 1000,
              threads_before, threads_after);
  std::fflush(stdout);
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

struct Test {
  Context& ctx;
  Listener& ears;
  std::map<std::string, Samples> sounds;
  int pid;

  // The sounds heard in [from, to), each named by the game sound it is most like (at least
  // 0.8 alike), or "?".
  std::vector<std::pair<Clock::time_point, std::string>> Heard(Clock::time_point from,
                                                               Clock::time_point to) {
    std::vector<std::pair<Clock::time_point, std::string>> heard;
    for (const auto& onset : ears.Onsets(from, to)) {
      std::string name = "?";
      double best = 0.8;
      for (const auto& [file, sound] : sounds) {
        const double l = Likeness(onset.start, sound);
        if (l > best) best = l, name = file;
      }
      heard.emplace_back(onset.at, name);
    }
    return heard;
  }

  void Fail(const std::string& what) { floemark::e2e::Fail(ctx, what); }
};

// The game's streams on the server: no stream before anything sounds; the start jingle's
// stream, its name, icon and role.
void StreamAtTheFirstCue(Test& t) {
  SleepMs(2500);  // whatever the program did at its start has had time to open a stream
  if (!GameStreams().empty()) t.Fail("the program holds a stream before anything sounds");
  Note("no stream of the game before anything sounds");
  MeasureWakeups(t.pid, 10000, "before the power is switched on, nothing sounding");
  PowerOn(t.ctx);
  const auto pressed = StartGame(t.ctx, 1);
  SleepMs(1500);
  const auto streams = GameStreams();
  if (streams.size() != 1) t.Fail(std::to_string(streams.size()) + " streams of the game, not 1");
  const auto& p = streams.front();
  const auto prop = [&](const char* k) {
    const auto it = p.find(k);
    return it == p.end() ? std::string("(none)") : it->second;
  };
  if (prop("application.icon_name") != "floemark" || prop("media.role") != "game" ||
      prop("media.name").empty() || prop("media.name") == "(none)")
    t.Fail("the stream tells the server: icon " + prop("application.icon_name") + ", role " +
           prop("media.role") + ", name " + prop("media.name"));
  Note("the stream is \"" + prop("media.name") + "\" of \"" + prop("application.name") +
       "\", icon " + prop("application.icon_name") + ", role " + prop("media.role"));

  const auto heard = t.Heard(pressed - std::chrono::milliseconds(200), Clock::now());
  if (heard.empty()) t.Fail("nothing sounded after the start key");
  if (heard.front().second != "START.WAV")
    t.Fail("the first sound after the start key is " + heard.front().second + ", not the jingle");
  const double late = Ms(heard.front().first - pressed);
  std::printf("ok: the start jingle began %.1f ms after the start key went down\n", late);
  if (late < 0 || late > 40)
    t.Fail("the start jingle began " + std::to_string(late) + " ms after the key, not within 40");
  Note("the start jingle begins within 40 ms of the start key");
}

// The first bomb of play rolls, ticking every 400 ms, until it is caught or explodes. Its first
// tick is the vulture's drop, whose distance to the first move depends on the game tick's phase.
void TicksWhileRolling(Test& t) {
  const auto from = Clock::now();
  const auto play = from + std::chrono::milliseconds(2000);  // the start delay's end, about
  MeasureWakeups(t.pid, 10000, "during play, nobody at the keys");
  const auto heard = t.Heard(play, Clock::now());
  std::vector<Clock::time_point> roll;
  for (const auto& [at, name] : heard) {
    if (name == "TEMPO.WAV" && (roll.empty() || Ms(at - roll.back()) < 600)) {
      roll.push_back(at);
      continue;
    }
    if (roll.size() >= 4) break;
    roll.clear();
    if (name == "TEMPO.WAV") roll.push_back(at);
  }
  if (roll.size() < 4) t.Fail("no bomb ticked four times in a row during 10 s of play");
  std::string gaps;
  for (std::size_t i = 2; i < roll.size(); ++i) {
    const double gap = Ms(roll[i] - roll[i - 1]);
    gaps += " " + std::to_string(static_cast<int>(std::lround(gap)));
    // Qt's timers under a loaded machine; the mixer adds a device period at most.
    if (std::abs(gap - 400) > 40)
      t.Fail("a rolling bomb ticked after " + std::to_string(gap) + " ms");
  }
  Note("a rolling bomb ticks every 400 ms (ms between ticks:" + gaps + ")");
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
  if (covered < Ms(until - off) - 50) t.Fail("the recording has gaps while the sound was off");
  if (peak > 0) t.Fail("a sound of " + std::to_string(peak) + " with the sound switched off");
  Note("nothing sounds for 4 s with the sound switched off, while the game plays on");
  t.ctx.person.Click(184 + 14, 320 + 14);
}

// The server is restarted in the middle of a game; the next cue sounds on the new one.
void SoundAfterServerRestart(Test& t, const std::string& pulse_sh, const std::string& dir) {
  const int connections = t.ears.Connections();
  if (std::system(("bash " + pulse_sh + " restart " + dir).c_str()) != 0)
    t.Fail("the sound server did not restart");
  const auto restarted = Clock::now();
  if (!WaitFor(t.ctx, 5000,
               [&] { return t.ears.Connections() > connections && t.ears.Recording(200); }))
    t.Fail("the test could not listen to the restarted server");
  std::vector<std::pair<Clock::time_point, std::string>> heard;
  WaitFor(t.ctx, 10000, [&] {
    heard = t.Heard(restarted, Clock::now());
    return !heard.empty() && heard.front().second != "?";
  });
  if (heard.empty()) t.Fail("nothing sounded for 10 s after the sound server restarted");
  if (GameStreams().size() != 1) t.Fail("the game has no stream on the restarted server");
  std::printf("ok: after the sound server restarted, %s sounded %.0f ms later\n",
              heard.front().second.c_str(), Ms(heard.front().first - restarted));
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
  Context ctx{lcd, person, ""};
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
