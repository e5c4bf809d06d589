// Placeholder until the mixer lands: keeps the open/closed rules without making a sound.
#include "sound/channel.h"

#include <cstdio>

#include "game/error.h"

namespace floemark::sound {

struct SoundChannel::Impl {
  bool open = false;
};

std::string_view SoundOpName(SoundOp op) {
  switch (op) {
    case SoundOp::LoadCue: return "LoadCue";
    case SoundOp::PlayCue: return "PlayCue";
    case SoundOp::StopChannel: return "StopChannel";
    case SoundOp::RewindChannel: return "RewindChannel";
  }
  return "";
}

SoundChannel::SoundChannel(std::string name, AudioOutput&, int)
    : name_(std::move(name)), impl_(std::make_unique<Impl>()) {}
SoundChannel::~SoundChannel() = default;

static std::string BareName(const std::string& file) {
  const auto cut = file.find_last_of("\\/");
  return cut == std::string::npos ? file : file.substr(cut + 1);
}

void SoundChannel::LoadCue(const std::string& file) {
  if (observer_) observer_->OnSoundOp(SoundOp::LoadCue, name_, BareName(file));
  fileName_ = file;
  impl_->open = false;
  std::string path = file;
  for (char& c : path)
    if (c == '\\') c = '/';
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw Error("The sound file " + path + " does not exist");
  std::fclose(f);
  impl_->open = true;
}

void SoundChannel::PlayCue() {
  if (observer_) observer_->OnSoundOp(SoundOp::PlayCue, name_, {});
  if (!impl_->open) throw Error("No MCI device open");
}
void SoundChannel::StopChannel() {
  if (observer_) observer_->OnSoundOp(SoundOp::StopChannel, name_, {});
  if (!impl_->open) throw Error("No MCI device open");
}
void SoundChannel::RewindChannel() {
  if (observer_) observer_->OnSoundOp(SoundOp::RewindChannel, name_, {});
  if (!impl_->open) throw Error("No MCI device open");
}
bool SoundChannel::IsOpen() const { return impl_->open; }
bool SoundChannel::Playing() const { return false; }
std::int64_t SoundChannel::PositionFrames() const { return 0; }
std::int64_t SoundChannel::LengthFrames() const { return 0; }

}  // namespace floemark::sound
