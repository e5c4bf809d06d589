// The console for the page: the same console session the desktop drives (console/session.h),
// silent on its own clock so that the channels keep their exact positions; the page hands it
// the present (performance.now() since t = 0) with every input and at every moment it said was
// due, and the sound worklet follows the channel states reported after each call.
// Single-threaded: the page's main thread calls everything here, between frames.
//
// What the page reads back: the look of every component (one byte each: the picture it shows,
// or kHidden), the channels the handlers changed (their file, whether they play, the position
// in frames at 48 kHz), and the text of the last error, which the page reports. Every input is
// kept as a recording from t = 0, which the page offers as a file; a recording loaded starts a
// new session that plays it back. With the trace asked for (the tests), the session is watched
// as floemark-trace watches it, so that the page's own trace can be held to the native tool's.
#include <emscripten/emscripten.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/windows/about_details.h"
#include "base/error.h"
#include "base/virtual_clock.h"
#include "console/recording.h"
#include "console/script.h"
#include "console/session.h"
#include "console/trace_recorder.h"
#include "game/form1.h"
#include "panel/layout.h"
#include "sound/channel.h"
#include "sound/sound_file.h"

namespace {

namespace console = floemark::console;
namespace panel = floemark::panel;
namespace sound = floemark::sound;

constexpr std::uint8_t kHidden = 255;
// The worklet's context runs at this rate too, so a frame here is a frame there.
constexpr int kSampleRate = 48000;
constexpr const char* kHeading =
    "Floemark Simulator: a game played in the page; replay it with floemark --replay\n"
    "or floemark-trace.";

struct ChannelState {
  std::int32_t slot;
  std::int32_t playing;
  double position;  // frames; a double so JavaScript reads it as a number
  char file[16];    // the bare file name, "START.WAV"; empty when none is loaded
};
// main.js reads these fields at these offsets.
static_assert(sizeof(ChannelState) == 32 && offsetof(ChannelState, position) == 8 &&
              offsetof(ChannelState, file) == 16);

// Marks the channels an operation reaches, so only they are reported; the trace, when there is
// one, hears the operation too (a channel has one observer).
class ChangedChannels : public sound::SoundObserver {
 public:
  void OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) override {
    for (int i = 0; i < 4; ++i)
      if (names[i] == channel) dirty[i] = true;
    if (next != nullptr) next->OnSoundOp(op, channel, file);
  }
  std::array<std::string, 4> names;
  std::array<bool, 4> dirty{};
  sound::SoundObserver* next = nullptr;
};

struct Console {
  Console(std::int64_t timeOfDayMs, bool traced)
      : session(timeOfDayMs, nullptr,
                {.afterEach = nullptr, .report = [this](const std::string& e) { error = e; }}),
        recording([this](std::string_view line) { return recorded.append(line), true; }, kHeading) {
    if (traced) {
      trace = std::make_unique<console::TraceRecorder>(session.Form(), traceText);
      session.SetWatcher(trace.get());
      changed.next = trace.get();
    }
    for (int i = 0; i < 4; ++i) {
      changed.names[i] = session.Form().Channels[i]->Name();
      session.Form().Channels[i]->SetObserver(&changed);
    }
    recording.Start(timeOfDayMs);
    session.SetInputObserver([this](const console::Command& c) { recording.Add(c); });
  }
  // First made, last gone: the form's channels may still be stopped as it goes.
  ChangedChannels changed;
  console::Session session;
  std::string recorded;  // the recording's lines so far, without its end
  console::Recording recording;
  std::string traceText;
  std::unique_ptr<console::TraceRecorder> trace;
  std::array<std::uint8_t, panel::kComponentCount> look{};
  std::array<ChannelState, 4> states{};
  int stateCount = 0;
  std::string error;
  std::uint32_t version = 0;  // counts the calls that changed the panel's look
};

std::unique_ptr<Console> console_;
bool traced = false;

// Takes what the handlers run since the last call changed: the panel's look and the channels'
// states.
void Collect(bool everything = false) {
  Console& c = *console_;
  floemark::TForm1& form = c.session.Form();
  if (form.Components.TakeDamage().any() || everything) {
    for (int i = 0; i < panel::kComponentCount; ++i) {
      const auto id = static_cast<panel::Component>(i);
      const panel::Component shown = form.Components.Picture(id);
      c.look[i] = form.Components.Visible(id) && shown != panel::kNoPicture
                      ? static_cast<std::uint8_t>(shown)
                      : kHidden;
    }
    ++c.version;
  }
  for (int i = 0; i < 4; ++i) {
    if (!c.changed.dirty[i]) continue;
    c.changed.dirty[i] = false;
    const sound::SoundChannel& channel = *form.Channels[i];
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

// A new session at t = 0, its FormCreate run. The look the page last drew is kept counted on,
// so that the new session's is drawn.
void Create(std::int64_t timeOfDayMs) {
  const std::uint32_t version = console_ ? console_->version : 0;
  console_.reset();
  console_ = std::make_unique<Console>(timeOfDayMs, traced);
  console_->version = version;
  console_->session.Start();
  Collect(true);
}

// The present, in whole milliseconds since t = 0, as the session counts it.
std::int64_t Ms(double presentMs) { return static_cast<std::int64_t>(presentMs); }

void Input(console::Command command, double presentMs) {
  console_->stateCount = 0;
  console_->session.Input(command, Ms(presentMs));
  Collect();
}

std::string held;  // the text last handed to the page, alive until the next call

}  // namespace

extern "C" {

// Starts the console (FormCreate at t = 0); the sounds must be in SOUND/ of the file system.
// trace: watch it as floemark-trace does, for fm_trace().
EMSCRIPTEN_KEEPALIVE void fm_create(double timeOfDayMs, int trace) {
  traced = trace != 0;
  Create(static_cast<std::int64_t>(timeOfDayMs));
}

// Brings the console to the present (since t = 0): the ticks and played-back inputs due by then.
EMSCRIPTEN_KEEPALIVE void fm_advance(double presentMs) {
  console_->stateCount = 0;
  console_->session.CatchUp(Ms(presentMs));
  Collect();
}

// down: 1 for a key-down (auto-repeat included), 0 for a key-up; code: the virtual key code.
EMSCRIPTEN_KEEPALIVE void fm_key(double presentMs, int down, int code) {
  console::Command command{down ? console::Command::KeyDown : console::Command::KeyUp, 0};
  command.key = static_cast<std::uint16_t>(code);
  Input(command, presentMs);
}

// button: 0 power, 1 select, 2 sound.
EMSCRIPTEN_KEEPALIVE void fm_click(double presentMs, int button) {
  console::Command command{console::Command::Click, 0};
  command.button = static_cast<console::Button>(button);
  Input(command, presentMs);
}

// When something is next due (since t = 0), -1 when nothing is.
EMSCRIPTEN_KEEPALIVE double fm_next_due() {
  const std::optional<std::int64_t> due = console_->session.NextDue();
  return due ? static_cast<double>(*due) : -1;
}

// Whether a loaded recording is playing (the person's inputs wait for its end).
EMSCRIPTEN_KEEPALIVE int fm_playing_back() { return console_->session.PlayingBack() ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE const std::uint8_t* fm_look() { return console_->look.data(); }
EMSCRIPTEN_KEEPALIVE std::uint32_t fm_look_version() { return console_->version; }
EMSCRIPTEN_KEEPALIVE int fm_channel_count() { return console_->stateCount; }
EMSCRIPTEN_KEEPALIVE const ChannelState* fm_channels() { return console_->states.data(); }

// The last error's report, "" when none; cleared by reading.
EMSCRIPTEN_KEEPALIVE const char* fm_take_error() {
  held = std::move(console_->error);
  console_->error.clear();
  return held.c_str();
}

// The game so far as a recording ending at the present, which it first catches up to (as the
// desktop's recording ends). With the trace on, fm_trace() is cut at this same moment.
std::size_t traceAtEnd = 0;
EMSCRIPTEN_KEEPALIVE const char* fm_recording(double presentMs) {
  console_->stateCount = 0;
  const std::int64_t end = console_->session.Finish(Ms(presentMs));
  Collect();
  held = console_->recorded;
  console::Recording([](std::string_view line) { return held.append(line), true; }, "").End(end);
  traceAtEnd = console_->traceText.size();
  return held.c_str();
}

// The trace up to the last fm_recording(), as floemark-trace prints it; "" without the trace.
EMSCRIPTEN_KEEPALIVE const char* fm_trace() {
  held = console_->traceText.substr(0, traceAtEnd);
  return held.c_str();
}

// Reads a recording: "" and a new session playing it back from t = 0 (the present restarts),
// or "line N: reason" and the game goes on untouched.
EMSCRIPTEN_KEEPALIVE const char* fm_load(const char* text) {
  console::ParseResult parsed = console::ParseScript(text);
  if (parsed.error) {
    held = "line " + std::to_string(parsed.error->line) + ": " + parsed.error->message;
    return held.c_str();
  }
  Create(parsed.script->clockMs);
  console_->session.PlayBack(std::move(parsed.script->commands));
  held.clear();
  return held.c_str();
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

// The splash and about panels' words, one a line: the title, the version, the web page, the
// mail link, then each detail as "caption<TAB>value".
EMSCRIPTEN_KEEPALIVE const char* fm_about() {
  static std::string text;
  if (text.empty()) {
    text = std::string(floemark::app::kSplashTitle) +
           "\nVersion " FLOEMARK_VERSION "\n" FLOEMARK_HOMEPAGE "\nmailto:" FLOEMARK_EMAIL "\n";
    for (const floemark::app::AboutDetail& d : floemark::app::kAboutDetails)
      text += std::string(d.caption) + '\t' + d.value + '\n';
  }
  return text.c_str();
}

// Decodes a sound file for the worklet at its rate: the frame count, -1 when the file can't
// be loaded. fm_decoded() holds the samples until the next call.
std::unique_ptr<const sound::Pcm> decoded;
EMSCRIPTEN_KEEPALIVE int fm_decode(const char* path) {
  // The worklet's copy is made once per file: whether the decoder's cache keeps it is no
  // matter, so its clock need not move.
  static floemark::VirtualClock unmoving;
  try {
    decoded = sound::LoadSoundFile(path, kSampleRate, unmoving);
  } catch (const floemark::Error&) {
    return -1;
  }
  return static_cast<int>(decoded->Frames());
}
EMSCRIPTEN_KEEPALIVE const std::int16_t* fm_decoded() { return decoded->samples.data(); }

}  // extern "C"
