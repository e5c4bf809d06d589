// The console for the page: the core on a logical clock that the page moves to the present
// (performance.now() since start), with the silent output keeping the channels' exact
// positions; the sound worklet follows the channel states this reports after every handler.
// Single-threaded: the page's main thread calls everything here, between frames.
//
// What the page reads back: the look of every component (one byte each: the picture it shows,
// or kHidden), the channels a handler changed (their file, whether they play, the position in
// frames at 48 kHz), and the text of the last error, which the page reports.
#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/error.h"
#include "base/virtual_clock.h"
#include "game/form1.h"
#include "panel/layout.h"
#include "sound/channel.h"
#include "sound/null_output.h"
#include "sound/sound_file.h"

namespace {

using floemark::TForm1;
using floemark::VirtualClock;
namespace panel = floemark::panel;
namespace sound = floemark::sound;

constexpr std::uint8_t kHidden = 255;
// The worklet's context runs at this rate too, so a frame here is a frame there.
constexpr int kSampleRate = 48000;

struct ChannelState {
  std::int32_t slot;
  std::int32_t playing;
  double position;  // frames; a double so JavaScript reads it as a number
  char file[16];    // the bare file name, "START.WAV"; empty when none is loaded
};
// main.js reads these fields at these offsets.
static_assert(sizeof(ChannelState) == 32 && offsetof(ChannelState, position) == 8 &&
              offsetof(ChannelState, file) == 16);

// Marks the channels an operation reaches, so only they are reported.
class ChangedChannels : public sound::SoundObserver {
 public:
  void OnSoundOp(sound::SoundOp, std::string_view channel, std::string_view) override {
    for (int i = 0; i < 4; ++i)
      if (names[i] == channel) dirty[i] = true;
  }
  std::array<std::string, 4> names;
  std::array<bool, 4> dirty{};
};

struct Console {
  explicit Console(std::int64_t timeOfDayMs)
      : clock(timeOfDayMs), audio(clock, kSampleRate), form(clock, clock, audio) {}
  VirtualClock clock;
  sound::NullOutput audio;
  TForm1 form;
  ChangedChannels changed;
  std::array<std::uint8_t, panel::kComponentCount> look{};
  std::array<ChannelState, 4> states{};
  int stateCount = 0;
  std::string error;
  std::uint32_t version = 0;  // counts the handlers that changed the panel's look
};

std::unique_ptr<Console> console;

// Takes what the handlers run since the last call changed: the panel's look and the channels'
// states.
void Collect(bool everything = false) {
  Console& c = *console;
  if (c.form.Components.TakeDamage().any() || everything) {
    for (int i = 0; i < panel::kComponentCount; ++i) {
      const auto id = static_cast<panel::Component>(i);
      const panel::Component shown = c.form.Components.Picture(id);
      c.look[i] = c.form.Components.Visible(id) && shown != panel::kNoPicture
                      ? static_cast<std::uint8_t>(shown)
                      : kHidden;
    }
    ++c.version;
  }
  for (int i = 0; i < 4; ++i) {
    if (!c.changed.dirty[i]) continue;
    c.changed.dirty[i] = false;
    const sound::SoundChannel& channel = *c.form.Channels[i];
    ChannelState& state = c.states[c.stateCount++];
    state.slot = i;
    state.playing = channel.IsOpen() && channel.Playing();
    state.position = channel.IsOpen() ? static_cast<double>(channel.PositionFrames()) : 0;
    const std::string& file = channel.IsOpen() ? channel.FileName() : std::string();
    const std::size_t cut = file.find_last_of("\\/");
    const std::string bare = cut == std::string::npos ? file : file.substr(cut + 1);
    state.file[bare.copy(state.file, sizeof state.file - 1)] = '\0';
  }
}

// Runs one handler as the desktop's dispatcher does: a sound error ends it and is reported,
// nothing is undone.
template <typename Fn>
void Run(Fn&& handler) {
  try {
    handler();
  } catch (const floemark::Error& e) {
    console->error = floemark::ReportText(e.what());
  }
}

void Fire(floemark::TimerId id) {
  Run([id] { console->form.OnTimer(id); });
}

// Inputs at a moment come before the timers due at it, as in floemark-trace.
template <typename Fn>
void Input(double nowMs, Fn&& handler) {
  console->stateCount = 0;
  console->clock.RunBefore(static_cast<std::int64_t>(nowMs), Fire);
  Run(handler);
  Collect();
}

}  // namespace

extern "C" {

// Makes the console and runs FormCreate; the sounds must be in SOUND/ of the file system.
EMSCRIPTEN_KEEPALIVE void fm_create(double timeOfDayMs) {
  console = std::make_unique<Console>(static_cast<std::int64_t>(timeOfDayMs));
  for (int i = 0; i < 4; ++i) {
    console->changed.names[i] = console->form.Channels[i]->Name();
    console->form.Channels[i]->SetObserver(&console->changed);
  }
  Run([] { console->form.FormCreate(); });
  Collect(true);
}

// Brings the console to nowMs (since fm_create), firing the timers due by then.
EMSCRIPTEN_KEEPALIVE void fm_advance(double nowMs) {
  console->stateCount = 0;
  console->clock.RunThrough(static_cast<std::int64_t>(nowMs), Fire);
  Collect();
}

// down: 1 for a key-down (auto-repeat included), 0 for a key-up; code: the virtual key code.
EMSCRIPTEN_KEEPALIVE void fm_key(double nowMs, int down, int code) {
  const auto key = static_cast<std::uint16_t>(code);
  Input(nowMs, [&] {
    if (down)
      console->form.FormKeyDown(key);
    else
      console->form.FormKeyUp(key);
  });
}

// button: 0 power, 1 select, 2 sound.
EMSCRIPTEN_KEEPALIVE void fm_click(double nowMs, int button) {
  Input(nowMs, [&] {
    if (button == 0) console->form.Puls_PowerClick();
    if (button == 1) console->form.Puls_SelectClick();
    if (button == 2) console->form.Puls_SoundClick();
  });
}

// The moment the next timer is due, -1 when none is on.
EMSCRIPTEN_KEEPALIVE double fm_next_due() {
  const std::optional<std::int64_t> due = console->clock.NextDue();
  return due ? static_cast<double>(*due) : -1;
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* fm_look() { return console->look.data(); }
EMSCRIPTEN_KEEPALIVE std::uint32_t fm_look_version() { return console->version; }
EMSCRIPTEN_KEEPALIVE int fm_channel_count() { return console->stateCount; }
EMSCRIPTEN_KEEPALIVE const ChannelState* fm_channels() { return console->states.data(); }

// The last error's report, "" when none; cleared by reading.
EMSCRIPTEN_KEEPALIVE const char* fm_take_error() {
  static std::string taken;
  taken = std::move(console->error);
  console->error.clear();
  return taken.c_str();
}

// The layout table, for the page to draw and hit-test: one line a component,
// "name left top width height kind transparent click".
EMSCRIPTEN_KEEPALIVE const char* fm_layout() {
  static std::string table;
  if (table.empty()) {
    for (const panel::ComponentInfo& info : panel::kLayout) {
      table += std::string(info.name) + ' ' + std::to_string(info.rect.left) + ' ' +
               std::to_string(info.rect.top) + ' ' + std::to_string(info.rect.width) + ' ' +
               std::to_string(info.rect.height) + ' ' +
               std::to_string(static_cast<int>(info.kind)) + ' ' + (info.transparent ? "1" : "0") +
               ' ' + (info.mouse == panel::Mouse::Click ? "1" : "0") + '\n';
    }
  }
  return table.c_str();
}

// Decodes a sound file for the worklet at its rate: the frame count, -1 when the file can't
// be loaded. fm_decoded() holds the samples until the next call.
std::unique_ptr<const sound::Pcm> decoded;
EMSCRIPTEN_KEEPALIVE int fm_decode(const char* path) {
  try {
    decoded = sound::LoadSoundFile(path, kSampleRate);
  } catch (const floemark::Error&) {
    return -1;
  }
  return static_cast<int>(decoded->Frames());
}
EMSCRIPTEN_KEEPALIVE const std::int16_t* fm_decoded() { return decoded->samples.data(); }

}  // extern "C"
