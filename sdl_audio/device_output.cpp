#include "sdl_audio/device_output.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "loaded/sdl_library.h"
#include "sdl_audio/pipewire_stream.h"
#include "sound/null_output.h"

namespace floemark::sound {
namespace {

// SDL's audio thread: everything it does is the mixer's lock-free pull.
void Pull(void* mixer, Uint8* stream, int bytes) {
  static_cast<Mixer*>(mixer)->Render(reinterpret_cast<std::int16_t*>(stream),
                                     bytes / static_cast<int>(sizeof(std::int16_t)));
}

// The default device of SDL's driver. Opening takes a few milliseconds (about 2 ms with
// PulseAudio, well under 1 ms with the dummy driver); closing waits for the audio thread, some
// 20 ms. The keeper's thread alone calls these.
class SdlStream : public StreamDevice {
 public:
  explicit SdlStream(const sdl::SdlLibrary& sdl) : sdl_(sdl) {}

  bool Open(Mixer& mixer, std::string& whyNot) override {
    SDL_AudioSpec want{};
    want.freq = DeviceOutput::kSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = DeviceOutput::kBufferFrames;
    want.callback = Pull;
    want.userdata = &mixer;
    // No change allowed: SDL converts to the device's rate, channels and format itself.
    device_ = sdl_.OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
      // An ALSA without a sound card initialises fine and fails only here; a sound server
      // that is not running fails here too.
      whyNot = sdl_.GetError();
      return false;
    }
    sdl_.PauseAudioDevice(device_, 0);
    return true;
  }

  void Close() override {
    sdl_.CloseAudioDevice(device_);
    device_ = 0;
  }

  // SDL marks a device it has lost as stopped (it was unpaused when opened) and goes on calling
  // the callback at the device's pace, in silence.
  bool Lost() override { return sdl_.GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED; }

 private:
  const sdl::SdlLibrary& sdl_;
  SDL_AudioDeviceID device_ = 0;
};

// PulseAudio's client library (PipeWire's too) adds client properties from the environment,
// which the server gives the client's streams. What the person has set already is kept.
void Introduce(const StreamIdentity& identity) {
  setenv("PULSE_PROP_media.role", "game", 0);
  if (!identity.iconName.empty()) {
    setenv("PULSE_PROP_application.icon_name", identity.iconName.c_str(), 0);
  }
}

// SDL's PipeWire driver takes the role from the hint, in PipeWire's spelling; its PulseAudio
// driver (SDL 2.26) sets no stream properties beyond the name, and has no hint for the icon.
void IntroduceToSdl(const sdl::SdlLibrary& sdl, const StreamIdentity& identity) {
  if (!identity.appName.empty()) sdl.SetHint(SDL_HINT_APP_NAME, identity.appName.c_str());
  if (!identity.streamName.empty()) {
    sdl.SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, identity.streamName.c_str());
  }
  sdl.SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_ROLE, "Game");
}

// The stream on the sound server that answers, connected: PipeWire's own where PipeWire runs
// with a sink, else libpulse's where a server of PulseAudio's protocol answers; none when
// SDL_AUDIODRIVER asks for another driver or no server answers ("pulseaudio" asks for
// libpulse's stream, "pipewire" for PipeWire's, SDL's driver of that name where PipeWire does not
// answer). libpipewire is loaded only where PipeWire's socket is, and libpulse connects only
// where PipeWire does not play: each client costs the program's memory (0.7 MB for libpulse's
// connection) and the server's time. The connections cost a round trip or two at the start, a
// few milliseconds.
struct ServerStream {
  std::unique_ptr<StreamDevice> device;
  const char* driver = "";
  int periodFrames = 0;
};
ServerStream ConnectServer(const StreamIdentity& identity, int rate) {
  const char* asked = std::getenv("SDL_AUDIODRIVER");
  const bool any = asked == nullptr || *asked == '\0';
  const bool pulseAsked = !any && std::strcmp(asked, "pulseaudio") == 0;
  const bool pipewireAsked = !any && std::strcmp(asked, "pipewire") == 0;
  std::string whyNot;
  if ((any || pipewireAsked) && PipeWireStream::SocketThere()) {
    auto native = std::make_unique<PipeWireStream>(identity, rate);
    if (native->Connect(500, whyNot) && (pipewireAsked || native->HasSink(500))) {
      return {std::move(native), "pipewire", PipeWireStream::kCycleFrames};
    }
  }
  if (any || pulseAsked) {
    auto pulse = std::make_unique<PulseStream>(identity, rate);
    if (pulse->Connect(500, whyNot)) {
      return {std::move(pulse), "pulseaudio", PulseStream::kPeriodFrames};
    }
  }
  return {};
}

}  // namespace

std::unique_ptr<DeviceOutput> DeviceOutput::Open(std::string& whyNot, Clock& clock,
                                                 const StreamIdentity& identity,
                                                 StreamKeeper::Timing timing) {
  Introduce(identity);
  std::unique_ptr<DeviceOutput> out(new DeviceOutput(clock));
  if (ServerStream server = ConnectServer(identity, kSampleRate); server.device) {
    out->driver_ = server.driver;
    timing.pullFrames = server.periodFrames;
    out->keeper_ = std::make_unique<StreamKeeper>(out->mixer_, std::move(server.device),
                                                  kSampleRate, timing, clock);
    return out;
  }
  const sdl::SdlLibrary* sdl = sdl::SdlLibrary::Get(whyNot);
  if (sdl == nullptr) return nullptr;
  IntroduceToSdl(*sdl, identity);
  // Without this hint SDL_Init takes SIGINT and SIGTERM for its own event queue, which this
  // program never reads: SIGTERM would no longer end it.
  sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The subsystem stays up for the whole run, and only the device comes and goes: starting and
  // shutting down SDL's audio on the keeper's thread would race the game thread, which converts
  // sounds with SDL's audio functions meanwhile. Up without a stream it holds no device and does
  // not wake the program (PulseAudio's driver keeps an idle connection to the server, to learn
  // of new devices).
  if (sdl->InitSubSystem(SDL_INIT_AUDIO) != 0) {
    whyNot = sdl->GetError();
    return nullptr;
  }
  out->sdl_ = sdl;
  const char* driver = sdl->GetCurrentAudioDriver();
  out->driver_ = driver ? driver : "";
  timing.pullFrames = kBufferFrames;
  out->keeper_ = std::make_unique<StreamKeeper>(out->mixer_, std::make_unique<SdlStream>(*sdl),
                                                kSampleRate, timing, clock);
  return out;
}

void DeviceOutput::Hold(bool held) {
  // The mixer keeps a stopped slot's position: stopping and starting again is a pause.
  for (int slot = 0; slot < Mixer::kSlots; ++slot) {
    if (held && mixer_.Playing(slot)) {
      mixer_.Stop(slot);
      heldSlots_ |= 1u << slot;
    } else if (!held && (heldSlots_ & 1u << slot)) {
      mixer_.Start(slot);
    }
  }
  if (!held && heldSlots_ != 0) keeper_->Want();
  if (!held) heldSlots_ = 0;
}

DeviceOutput::~DeviceOutput() {
  keeper_.reset();  // closes the device, which waits for its thread's last pull
  if (sdl_) sdl_->QuitSubSystem(SDL_INIT_AUDIO);
}

std::unique_ptr<AudioOutput> OpenDeviceOrSilent(Clock& clock, const StreamIdentity& identity) {
  std::string whyNot;
  if (auto device = DeviceOutput::Open(whyNot, clock, identity)) return device;
  static std::atomic<bool> told{false};
  if (!told.exchange(true)) {
    std::fprintf(stderr,
                 "Floemark Simulator: no audio device could be opened (%s); playing silently.\n",
                 whyNot.c_str());
  }
  return std::make_unique<NullOutput>(clock);
}

}  // namespace floemark::sound
