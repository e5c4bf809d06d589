#include "sdl_audio/pulse_stream.h"

#include <poll.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "sdl_audio/pulse_library.h"

namespace floemark::sound {
namespace {

std::uint32_t Bytes(int frames) {
  return static_cast<std::uint32_t>(frames) * sizeof(std::int16_t);
}

bool Final(pa_context_state_t s) {
  return s == PA_CONTEXT_READY || s == PA_CONTEXT_FAILED || s == PA_CONTEXT_TERMINATED;
}
bool Final(pa_stream_state_t s) {
  return s == PA_STREAM_READY || s == PA_STREAM_FAILED || s == PA_STREAM_TERMINATED;
}

// The mainloop's lock, held for a scope by the keeper's thread.
struct Locked {
  Locked(const PulseLibrary* pa, pa_threaded_mainloop* loop) : pa(pa), loop(loop) {
    pa->threaded_mainloop_lock(loop);
  }
  ~Locked() { pa->threaded_mainloop_unlock(loop); }
  const PulseLibrary* pa;
  pa_threaded_mainloop* loop;
};

}  // namespace

PulseStream::PulseStream(StreamIdentity identity, int rate)
    : identity_(std::move(identity)), rate_(rate) {}

PulseStream::~PulseStream() { Disconnect(); }

void PulseStream::OnContextState(pa_context* context, void* self) {
  auto* me = static_cast<PulseStream*>(self);
  const pa_context_state_t state = me->pa_->context_get_state(context);
  // Without a stream there is nothing to tell: the next Open connects again.
  if ((state == PA_CONTEXT_FAILED || state == PA_CONTEXT_TERMINATED) && me->stream_ != nullptr &&
      !me->lost_.exchange(true))
    me->TellLost();
  me->pa_->threaded_mainloop_signal(me->loop_, 0);
}

void PulseStream::OnStreamState(pa_stream* stream, void* self) {
  auto* me = static_cast<PulseStream*>(self);
  const pa_stream_state_t state = me->pa_->stream_get_state(stream);
  if ((state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) && !me->lost_.exchange(true))
    me->TellLost();
  me->pa_->threaded_mainloop_signal(me->loop_, 0);
}

void PulseStream::OnWriteRequest(pa_stream*, std::size_t, void* self) {
  static_cast<PulseStream*>(self)->Write();
}

void PulseStream::OnServerInfo(pa_context*, const pa_server_info* info, void* self) {
  auto* me = static_cast<PulseStream*>(self);
  me->overwrite_ = info != nullptr && info->server_name != nullptr &&
                   std::strstr(info->server_name, "PipeWire") != nullptr;
  me->pa_->threaded_mainloop_signal(me->loop_, 0);
}

void PulseStream::OnStarted(int fd, void* self) {
  CueWakeup::Drain(fd);
  static_cast<PulseStream*>(self)->Write(true);
}

void PulseStream::Started() { wakeup_.Notify(); }

void PulseStream::Cork(bool paused) {
  corked_ = paused;
  if (pa_operation* o = pa_->stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr))
    pa_->operation_unref(o);
}

bool PulseStream::Send(int frames, pa_seek_mode_t seek) {
  void* buffer = nullptr;
  std::size_t bytes = Bytes(frames);
  if (pa_->stream_begin_write(stream_, &buffer, &bytes) < 0 || buffer == nullptr) return false;
  const int got = static_cast<int>(bytes / sizeof(std::int16_t));
  const bool sounding = mixer_->AnyPlaying();
  mixer_->Render(static_cast<std::int16_t*>(buffer), got);
  silenceQueued_ = sounding ? 0 : silenceQueued_ + got;
  return pa_->stream_write(stream_, buffer, Bytes(got), nullptr, 0, seek) == 0;
}

void PulseStream::Write(bool cue) {
  if (stream_ == nullptr || pa_->stream_get_state(stream_) != PA_STREAM_READY) return;
  const bool sounding = mixer_->AnyPlaying();
  const bool onlySilenceQueued = silenceQueued_ >= kQueueFrames;
  if (corked_) {
    if (!sounding) return;
    // The queue holds nothing but silence, which the cue replaces or follows.
    Cork(false);
    Send(kQueueFrames, overwrite_ ? PA_SEEK_RELATIVE_ON_READ : PA_SEEK_RELATIVE);
    return;
  }
  if (!sounding && onlySilenceQueued) {
    Cork(true);
    return;
  }
  std::size_t writable = pa_->stream_writable_size(stream_);
  if (writable == static_cast<std::size_t>(-1)) writable = 0;
  int frames = static_cast<int>(writable / sizeof(std::int16_t));
  if (cue && sounding) {
    // A cue mixed at once rather than at the server's next request, up to a period later: over
    // a queue of silence where the server takes that, else after the queue, which then holds
    // up to half a period more until the server's next request makes up for it.
    if (overwrite_ && onlySilenceQueued) {
      Send(kQueueFrames, PA_SEEK_RELATIVE_ON_READ);
      return;
    }
    frames = std::max(frames, kPeriodFrames / 2);
  }
  if (frames > 0) Send(frames, PA_SEEK_RELATIVE);
}

bool PulseStream::Open(Mixer& mixer, std::string& whyNot) {
  // A server restarted since: libpulse's own connection timeout is the limit here.
  if (!Connected() && !Connect(kReconnectMs, whyNot)) {
    Disconnect();
    return false;
  }
  Locked lock(pa_, loop_);
  mixer_ = &mixer;
  lost_ = false;
  corked_ = false;
  silenceQueued_ = 0;
  if (!OpenStream(whyNot)) {
    CloseStream();
    return false;
  }
  Write();  // the cue that opened the stream
  return true;
}

bool PulseStream::Connected() {
  if (loop_ == nullptr) return false;
  Locked lock(pa_, loop_);
  return pa_->context_get_state(context_) == PA_CONTEXT_READY;
}

bool PulseStream::Connect(int timeoutMs, std::string& whyNot) {
  Disconnect();  // what is left of a connection the server has dropped
  // Where libpulse is not installed no server of its protocol is to be had: the same as one
  // that does not answer.
  pa_ = PulseLibrary::Get(whyNot);
  if (pa_ == nullptr) return false;
  loop_ = pa_->threaded_mainloop_new();
  if (loop_ == nullptr || pa_->threaded_mainloop_start(loop_) < 0) {
    whyNot = "libpulse could not start its thread";
    return false;
  }
  Locked lock(pa_, loop_);
  pa_mainloop_api* api = pa_->threaded_mainloop_get_api(loop_);
  context_ = pa_->context_new(
      api, identity_.appName.empty() ? "Floemark Simulator" : identity_.appName.c_str());
  pa_->context_set_state_callback(context_, OnContextState, this);
  if (pa_->context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    whyNot = pa_->strerror(pa_->context_errno(context_));
    return false;
  }
  // A socket whose server does not answer (hung, or stopped by a debugger) is given up on.
  timedOut_ = false;
  pa_time_event* timer = pa_->context_rttime_new(
      context_, pa_->rtclock_now() + static_cast<pa_usec_t>(timeoutMs) * 1000,
      [](pa_mainloop_api*, pa_time_event*, const timeval*, void* self) {
        auto* me = static_cast<PulseStream*>(self);
        me->timedOut_ = true;
        me->pa_->threaded_mainloop_signal(me->loop_, 0);
      },
      this);
  while (!Final(pa_->context_get_state(context_)) && !timedOut_) pa_->threaded_mainloop_wait(loop_);
  if (timer != nullptr) api->time_free(timer);
  if (pa_->context_get_state(context_) != PA_CONTEXT_READY) {
    whyNot =
        timedOut_ ? "the sound server did not answer" : pa_->strerror(pa_->context_errno(context_));
    return false;
  }
  overwrite_ = false;
  if (pa_operation* o = pa_->context_get_server_info(context_, OnServerInfo, this)) {
    while (pa_->operation_get_state(o) == PA_OPERATION_RUNNING) pa_->threaded_mainloop_wait(loop_);
    pa_->operation_unref(o);
  }
  wakeEvent_ = api->io_new(
      api, wakeup_.Fd(), PA_IO_EVENT_INPUT,
      [](pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self) {
        OnStarted(fd, self);
      },
      this);
  return true;
}

bool PulseStream::OpenStream(std::string& whyNot) {
  const pa_sample_spec spec{PA_SAMPLE_S16NE, static_cast<std::uint32_t>(rate_), 1};
  // The client's properties come from the environment (PULSE_PROP_...); the stream's own are
  // set here too, since not every server hands the client's down to its streams.
  pa_proplist* props = pa_->proplist_new();
  pa_->proplist_sets(props, PA_PROP_MEDIA_ROLE, "game");
  if (!identity_.iconName.empty())
    pa_->proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, identity_.iconName.c_str());
  const char* name = identity_.streamName.empty() ? "Sounds" : identity_.streamName.c_str();
  stream_ = pa_->stream_new_with_proplist(context_, name, &spec, nullptr, props);
  pa_->proplist_free(props);
  if (stream_ == nullptr) {
    whyNot = pa_->strerror(pa_->context_errno(context_));
    return false;
  }
  pa_->stream_set_state_callback(stream_, OnStreamState, this);
  pa_->stream_set_write_callback(stream_, OnWriteRequest, this);
  // The server asks for a period as it plays and keeps the queue; the sink's own latency it
  // takes from their difference (queue - 2 periods). A dry stream starts again as soon as a
  // period has come.
  pa_buffer_attr attr;
  attr.maxlength = static_cast<std::uint32_t>(-1);
  attr.tlength = Bytes(kQueueFrames);
  attr.prebuf = Bytes(kPeriodFrames);
  attr.minreq = Bytes(kPeriodFrames);
  attr.fragsize = static_cast<std::uint32_t>(-1);
  if (pa_->stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_NOFLAGS, nullptr, nullptr) <
      0) {
    whyNot = pa_->strerror(pa_->context_errno(context_));
    return false;
  }
  while (!Final(pa_->stream_get_state(stream_))) pa_->threaded_mainloop_wait(loop_);
  if (pa_->stream_get_state(stream_) != PA_STREAM_READY) {
    whyNot = pa_->strerror(pa_->context_errno(context_));
    return false;
  }
  return true;
}

void PulseStream::Close() {
  if (loop_ == nullptr) return;
  Locked lock(pa_, loop_);
  CloseStream();
}

void PulseStream::CloseStream() {
  if (stream_ == nullptr) return;
  pa_->stream_set_state_callback(stream_, nullptr, nullptr);
  pa_->stream_set_write_callback(stream_, nullptr, nullptr);
  pa_->stream_disconnect(stream_);
  pa_->stream_unref(stream_);
  stream_ = nullptr;
}

void PulseStream::Disconnect() {
  if (loop_ == nullptr) return;
  pa_->threaded_mainloop_stop(loop_);  // its thread has ended: nothing below races a callback
  CloseStream();
  if (wakeEvent_ != nullptr) {
    pa_->threaded_mainloop_get_api(loop_)->io_free(wakeEvent_);
    wakeEvent_ = nullptr;
  }
  if (context_ != nullptr) {
    pa_->context_set_state_callback(context_, nullptr, nullptr);
    pa_->context_disconnect(context_);
    pa_->context_unref(context_);
    context_ = nullptr;
  }
  pa_->threaded_mainloop_free(loop_);
  loop_ = nullptr;
}

}  // namespace floemark::sound
