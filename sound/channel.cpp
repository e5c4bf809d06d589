#include "sound/channel.h"

#include "base/error.h"
#include "sound/mixer.h"
#include "sound/sound_file.h"

namespace floemark::sound {

namespace {
std::string_view SoundOpName(SoundOp op) {
  switch (op) {
    case SoundOp::LoadCue:
      return "LoadCue";
    case SoundOp::PlayCue:
      return "PlayCue";
    case SoundOp::StopChannel:
      return "StopChannel";
    case SoundOp::RewindChannel:
      return "RewindChannel";
  }
  return "";
}
}  // namespace

std::string DescribeSoundOp(SoundOp op, std::string_view channel, std::string_view file) {
  std::string line(SoundOpName(op));
  line += ' ';
  line += channel;
  if (op == SoundOp::LoadCue) {
    line += ' ';
    line += file;
  }
  return line;
}

struct SoundChannel::Impl {
  AudioOutput& output;
  int slot;
  bool open = false;
  Mixer& mixer() { return output.GetMixer(); }
};

namespace {

// The game names its files the handheld's way, ".\SOUND\START.WAV": relative to the working
// directory, which is also how an error names them ("SOUND/START.WAV").
std::string LocalPath(const std::string& file) {
  std::string path = file;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  while (path.starts_with("./")) path.erase(0, 2);
  return path;
}

std::string BareName(const std::string& file) {
  const auto cut = file.find_last_of("\\/");
  return cut == std::string::npos ? file : file.substr(cut + 1);
}

}  // namespace

SoundChannel::SoundChannel(std::string name, AudioOutput& output, int slot)
    : name_(std::move(name)), impl_(std::make_unique<Impl>(Impl{output, slot})) {}

SoundChannel::~SoundChannel() {
  if (impl_->open) impl_->mixer().SetSound(impl_->slot, nullptr);
}

void SoundChannel::Begin(SoundOp op, std::string_view file) {
  if (observer_) observer_->OnSoundOp(op, name_, file);
  impl_->output.Sync();
}

void SoundChannel::RequireOpen() const {
  if (!impl_->open) throw Error("No MCI device open");
}

void SoundChannel::LoadCue(const std::string& file) {
  Begin(SoundOp::LoadCue, BareName(file));
  fileName_ = file;
  if (impl_->open) {
    impl_->open = false;
    impl_->mixer().SetSound(impl_->slot, nullptr);
  }
  impl_->mixer().SetSound(impl_->slot, LoadSoundFile(LocalPath(file), impl_->output.SampleRate(),
                                                     impl_->output.GetClock()));
  impl_->open = true;
}

void SoundChannel::PlayCue() {
  Begin(SoundOp::PlayCue, {});
  RequireOpen();
  Mixer& mixer = impl_->mixer();
  // Only a sound that has played to its end starts again; one stopped half-way, or still
  // sounding, goes on from where it is.
  if (!mixer.Playing(impl_->slot) && mixer.Position(impl_->slot) == mixer.Length(impl_->slot)) {
    mixer.Seek(impl_->slot, 0);
  }
  mixer.Start(impl_->slot);
  impl_->output.SoundWanted();
}

void SoundChannel::StopChannel() {
  Begin(SoundOp::StopChannel, {});
  RequireOpen();
  impl_->mixer().Stop(impl_->slot);
}

void SoundChannel::RewindChannel() {
  Begin(SoundOp::RewindChannel, {});
  RequireOpen();
  impl_->mixer().Seek(impl_->slot, 0);
}

bool SoundChannel::IsOpen() const { return impl_->open; }

bool SoundChannel::Playing() const {
  impl_->output.Sync();
  return impl_->open && impl_->mixer().Playing(impl_->slot);
}

std::int64_t SoundChannel::PositionFrames() const {
  impl_->output.Sync();
  return impl_->open ? impl_->mixer().Position(impl_->slot) : 0;
}

std::int64_t SoundChannel::LengthFrames() const {
  return impl_->open ? impl_->mixer().Length(impl_->slot) : 0;
}

int SoundChannel::SampleRate() const { return impl_->output.SampleRate(); }

}  // namespace floemark::sound
