#include "sdl_audio/pipewire_stream.h"

#include <spa/param/audio/format-utils.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "sdl_audio/pipewire_library.h"

namespace floemark::sound {
namespace {

// The loop's lock, held for a scope by the keeper's thread.
struct Locked {
  Locked(const PipeWireLibrary* pw, pw_thread_loop* loop) : pw(pw), loop(loop) {
    pw->thread_loop_lock(loop);
  }
  ~Locked() { pw->thread_loop_unlock(loop); }
  const PipeWireLibrary* pw;
  pw_thread_loop* loop;
};

// Cycles of silence the stream runs after the last sound before it pauses: the cycle that hands
// the last frames of a sound to PipeWire is played out by the next.
constexpr int kSilentCyclesBeforePause = 2;

// The client's and, since PipeWire does not hand the client's down to its nodes, the stream's.
const char* AppName(const StreamIdentity& identity) {
  return identity.appName.empty() ? "Floemark Simulator" : identity.appName.c_str();
}

}  // namespace

struct PipeWireStream::Hooks {
  spa_hook core{};
  spa_hook stream{};
  spa_hook registry{};
  pw_core_events coreEvents{};
  pw_stream_events streamEvents{};
  pw_registry_events registryEvents{};
};

PipeWireStream::PipeWireStream(StreamIdentity identity, int rate)
    : identity_(std::move(identity)), rate_(rate), hooks_(new Hooks) {
  hooks_->coreEvents.version = PW_VERSION_CORE_EVENTS;
  hooks_->coreEvents.done = [](void* self, std::uint32_t id, int seq) {
    auto* me = static_cast<PipeWireStream*>(self);
    if (id == PW_ID_CORE && seq == me->syncSeq_) me->synced_ = true;
    me->pw_->thread_loop_signal(me->loop_, false);
  };
  hooks_->coreEvents.error = [](void* self, std::uint32_t id, int, int res, const char*) {
    static_cast<PipeWireStream*>(self)->CoreError(id, res);
  };
  hooks_->streamEvents.version = PW_VERSION_STREAM_EVENTS;
  hooks_->streamEvents.state_changed = [](void* self, pw_stream_state, pw_stream_state state,
                                          const char* error) {
    static_cast<PipeWireStream*>(self)->StateChanged(state, error);
  };
  hooks_->streamEvents.process = [](void* self) { static_cast<PipeWireStream*>(self)->Process(); };
  hooks_->registryEvents.version = PW_VERSION_REGISTRY_EVENTS;
  hooks_->registryEvents.global = [](void* self, std::uint32_t, std::uint32_t, const char* type,
                                     std::uint32_t, const spa_dict* props) {
    const char* what = props != nullptr ? spa_dict_lookup(props, PW_KEY_MEDIA_CLASS) : nullptr;
    if (std::strcmp(type, PW_TYPE_INTERFACE_Node) == 0 && what != nullptr &&
        std::strcmp(what, "Audio/Sink") == 0)
      static_cast<PipeWireStream*>(self)->sinkSeen_ = true;
  };
}

PipeWireStream::~PipeWireStream() {
  Disconnect();
  delete hooks_;
}

void PipeWireStream::CoreError(std::uint32_t id, int res) {
  // The connection itself has broken (PipeWire ended or restarted); other errors are a
  // stream's, which its state reports.
  if (id == PW_ID_CORE) {
    failed_ = true;
    failure_ = std::strerror(res < 0 ? -res : res);
    if (stream_ != nullptr && !lost_.exchange(true)) TellLost();
  }
  pw_->thread_loop_signal(loop_, false);
}

void PipeWireStream::StateChanged(int state, const char* error) {
  if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED) {
    failed_ = true;
    failure_ = error != nullptr ? error : "PipeWire ended the stream";
    if (!lost_.exchange(true)) TellLost();
  }
  pw_->thread_loop_signal(loop_, false);
}

void PipeWireStream::Process() {
  pw_buffer* buffer = pw_->stream_dequeue_buffer(stream_);
  if (buffer == nullptr) return;
  spa_data& data = buffer->buffer->datas[0];
  auto* frames = static_cast<std::int16_t*>(data.data);
  int count = 0;
  bool sounded = false;
  if (frames != nullptr) {
    count = static_cast<int>(data.maxsize / sizeof(std::int16_t));
    if (buffer->requested > 0) count = std::min<int>(count, static_cast<int>(buffer->requested));
    sounded = mixer_->AnyPlaying();
    mixer_->Render(frames, count);
  }
  data.chunk->offset = 0;
  data.chunk->stride = sizeof(std::int16_t);
  data.chunk->size = static_cast<std::uint32_t>(count) * sizeof(std::int16_t);
  pw_->stream_queue_buffer(stream_, buffer);
  silentCycles_ = sounded || mixer_->AnyPlaying() ? 0 : silentCycles_ + 1;
  if (silentCycles_ == kSilentCyclesBeforePause)
    pw_loop_signal_event(pw_->thread_loop_get_loop(loop_), pause_);
}

void PipeWireStream::Started() { wakeup_.Notify(); }

void PipeWireStream::Resume() {
  if (stream_ == nullptr || active_ || !mixer_->AnyPlaying()) return;
  active_ = true;
  silentCycles_ = 0;  // the data thread runs no cycle of a paused stream
  pw_->stream_set_active(stream_, true);
}

void PipeWireStream::PauseIfSilent() {
  // A cue since the data thread's look keeps the stream running; its own wakeup comes after.
  if (stream_ == nullptr || !active_ || mixer_->AnyPlaying()) return;
  active_ = false;
  pw_->stream_set_active(stream_, false);
}

bool PipeWireStream::Connected() {
  if (loop_ == nullptr) return false;
  Locked lock(pw_, loop_);
  return core_ != nullptr && !failed_;
}

bool PipeWireStream::WaitFor(int timeoutMs, bool (PipeWireStream::*done)() const) {
  timespec until{};
  pw_->thread_loop_get_time(loop_, &until,
                            static_cast<std::int64_t>(timeoutMs) * SPA_NSEC_PER_MSEC);
  while (!(this->*done)() && !failed_) {
    if (pw_->thread_loop_timed_wait_full(loop_, &until) != 0) break;  // the time is up
  }
  return (this->*done)();
}

bool PipeWireStream::Synced() const { return synced_; }

bool PipeWireStream::Connect(int timeoutMs, std::string& whyNot) {
  Disconnect();  // what is left of a connection PipeWire has dropped
  pw_ = PipeWireLibrary::Get(whyNot);
  if (pw_ == nullptr) return false;
  pw_->init(nullptr, nullptr);
  loop_ = pw_->thread_loop_new("floemark-pipewire", nullptr);
  if (loop_ == nullptr || pw_->thread_loop_start(loop_) < 0) {
    whyNot = "libpipewire could not start its thread";
    return false;
  }
  Locked lock(pw_, loop_);
  pw_loop* loop = pw_->thread_loop_get_loop(loop_);
  // No configuration file: the client's default loads modules a stream has no use for (the
  // session manager's interfaces alone are 300 KB resident). Its log level, none (libpipewire
  // warns of a client without realtime priority), unless PIPEWIRE_DEBUG says otherwise.
  context_ = pw_->context_new(loop,
                              pw_->properties_new(PW_KEY_CONFIG_NAME, "null", PW_KEY_APP_NAME,
                                                  AppName(identity_), "log.level", "0", nullptr),
                              0);
  if (context_ == nullptr) {
    whyNot = std::strerror(errno);
    return false;
  }
  pw_->context_add_spa_lib(context_, "audio.convert.*", "audioconvert/libspa-audioconvert");
  for (const char* module : {"libpipewire-module-protocol-native", "libpipewire-module-client-node",
                             "libpipewire-module-adapter"}) {
    if (pw_->context_load_module(context_, module, nullptr, nullptr) == nullptr) {
      whyNot = std::string(module) + ": " + std::strerror(errno);
      return false;
    }
  }
  failed_ = false;
  core_ = pw_->context_connect(context_, nullptr, 0);
  if (core_ == nullptr) {
    whyNot = std::strerror(errno);
    return false;
  }
  hooks_->core = {};
  pw_core_add_listener(core_, &hooks_->core, &hooks_->coreEvents, this);
  // A socket whose PipeWire does not answer (hung, or stopped by a debugger) is given up on.
  synced_ = false;
  syncSeq_ = pw_core_sync(core_, PW_ID_CORE, 0);
  if (!WaitFor(timeoutMs, &PipeWireStream::Synced)) {
    whyNot = failed_ ? failure_ : "PipeWire did not answer";
    return false;
  }
  resume_ = pw_loop_add_io(
      loop, wakeup_.Fd(), SPA_IO_IN, false,
      [](void* self, int fd, std::uint32_t) {
        CueWakeup::Drain(fd);
        static_cast<PipeWireStream*>(self)->Resume();
      },
      this);
  pause_ = pw_loop_add_event(
      loop, [](void* self, std::uint64_t) { static_cast<PipeWireStream*>(self)->PauseIfSilent(); },
      this);
  return true;
}

bool PipeWireStream::SocketThere() {
  // Where libpipewire looks: PIPEWIRE_REMOTE, a path or a name in PIPEWIRE_RUNTIME_DIR, else
  // XDG_RUNTIME_DIR; not in the home folder, its last resort, where only a PipeWire of an unusual
  // setup is (libpulse's stream still reaches it through its PulseAudio server).
  const char* remote = std::getenv("PIPEWIRE_REMOTE");
  if (remote == nullptr || *remote == '\0') remote = "pipewire-0";
  std::string path = remote;
  if (remote[0] != '/') {
    const char* dir = std::getenv("PIPEWIRE_RUNTIME_DIR");
    if (dir == nullptr || *dir == '\0') dir = std::getenv("XDG_RUNTIME_DIR");
    if (dir == nullptr || *dir == '\0') return false;
    path = std::string(dir) + "/" + remote;
  }
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool PipeWireStream::HasSink(int timeoutMs) {
  if (!Connected()) return false;
  Locked lock(pw_, loop_);
  pw_registry* registry = pw_core_get_registry(core_, PW_VERSION_REGISTRY, 0);
  if (registry == nullptr) return false;
  sinkSeen_ = false;
  hooks_->registry = {};
  pw_registry_add_listener(registry, &hooks_->registry, &hooks_->registryEvents, this);
  // Every object PipeWire has is announced before the answer to a sync asked after the listener.
  synced_ = false;
  syncSeq_ = pw_core_sync(core_, PW_ID_CORE, 0);
  WaitFor(timeoutMs, &PipeWireStream::Synced);
  spa_hook_remove(&hooks_->registry);
  pw_->proxy_destroy(reinterpret_cast<pw_proxy*>(registry));
  return sinkSeen_;
}

bool PipeWireStream::Open(Mixer& mixer, std::string& whyNot) {
  // A PipeWire restarted since: the connection's own timeout is the limit here.
  if (!Connected() && !Connect(kReconnectMs, whyNot)) {
    Disconnect();
    return false;
  }
  Locked lock(pw_, loop_);
  mixer_ = &mixer;
  lost_ = false;
  if (!OpenStream(whyNot)) {
    CloseStream();
    return false;
  }
  return true;
}

bool PipeWireStream::Streaming() const {
  // Not PAUSED: a stream is paused as soon as its format is agreed, before the session manager
  // has linked it to a sink (or found none, as while PipeWire starts, and ended it).
  return pw_->stream_get_state(stream_, nullptr) == PW_STREAM_STATE_STREAMING;
}

bool PipeWireStream::OpenStream(std::string& whyNot) {
  const std::string latency = std::to_string(kCycleFrames) + "/" + std::to_string(rate_);
  const char* name = identity_.streamName.empty() ? "Sounds" : identity_.streamName.c_str();
  pw_properties* props =
      pw_->properties_new(PW_KEY_MEDIA_TYPE, "Audio", PW_KEY_MEDIA_CATEGORY, "Playback",
                          PW_KEY_MEDIA_ROLE, "Game", PW_KEY_MEDIA_NAME, name, PW_KEY_NODE_LATENCY,
                          latency.c_str(), PW_KEY_APP_NAME, AppName(identity_), nullptr);
  if (!identity_.iconName.empty()) {
    // PipeWire's own spelling, and PulseAudio's, which the volume mixers that speak its
    // protocol read.
    pw_->properties_set(props, PW_KEY_APP_ICON_NAME, identity_.iconName.c_str());
    pw_->properties_set(props, "application.icon_name", identity_.iconName.c_str());
  }
  stream_ = pw_->stream_new(core_, name, props);
  if (stream_ == nullptr) {
    whyNot = std::strerror(errno);
    return false;
  }
  hooks_->stream = {};
  pw_->stream_add_listener(stream_, &hooks_->stream, &hooks_->streamEvents, this);

  spa_audio_info_raw format{};
  format.format = SPA_AUDIO_FORMAT_S16;
  format.rate = static_cast<std::uint32_t>(rate_);
  format.channels = 1;
  format.position[0] = SPA_AUDIO_CHANNEL_MONO;
  std::uint8_t podBytes[256];
  spa_pod_builder builder{};
  spa_pod_builder_init(&builder, podBytes, sizeof podBytes);
  const spa_pod* params[] = {spa_format_audio_raw_build(&builder, SPA_PARAM_EnumFormat, &format)};
  // The mixer is pulled on PipeWire's data thread, where the cycle's request arrives, rather
  // than handed to this loop's thread first: one wakeup a cycle.
  const auto flags = static_cast<pw_stream_flags>(
      PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS | PW_STREAM_FLAG_RT_PROCESS);
  active_ = true;
  silentCycles_ = 0;
  if (pw_->stream_connect(stream_, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params, 1) < 0) {
    whyNot = std::strerror(errno);
    return false;
  }
  if (!WaitFor(kLinkMs, &PipeWireStream::Streaming)) {
    whyNot = failed_ ? failure_ : "no sound device took the stream";
    return false;
  }
  return true;
}

void PipeWireStream::Close() {
  if (loop_ == nullptr) return;
  Locked lock(pw_, loop_);
  CloseStream();
}

void PipeWireStream::CloseStream() {
  if (stream_ == nullptr) return;
  spa_hook_remove(&hooks_->stream);
  // Returns once the data thread's last pull has ended.
  pw_->stream_destroy(stream_);
  stream_ = nullptr;
  active_ = false;
}

void PipeWireStream::Disconnect() {
  if (loop_ == nullptr) return;
  pw_->thread_loop_stop(loop_);  // its thread has ended: nothing below races a callback
  CloseStream();
  pw_loop* loop = pw_->thread_loop_get_loop(loop_);
  for (spa_source** source : {&resume_, &pause_}) {
    if (*source != nullptr) pw_loop_destroy_source(loop, *source);
    *source = nullptr;
  }
  if (core_ != nullptr) {
    spa_hook_remove(&hooks_->core);
    pw_->core_disconnect(core_);
    core_ = nullptr;
  }
  if (context_ != nullptr) {
    pw_->context_destroy(context_);
    context_ = nullptr;
  }
  pw_->thread_loop_destroy(loop_);
  loop_ = nullptr;
}

}  // namespace floemark::sound
