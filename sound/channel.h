#pragma once
// One sound channel of the console, used like a media player: load a file, play it, stop it,
// rewind it. Each channel keeps its play position across stops; only a sound that has played to
// its end is rewound, inside PlayCue. Play returns at once; load, stop and rewind are complete
// when they return. Game thread only; the samples reach the audio thread through the Mixer.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sound/audio_output.h"

namespace floemark::sound {

enum class SoundOp { LoadCue, PlayCue, StopChannel, RewindChannel };
// One operation as a trace line names it: "PlayCue MPlayer_Tempo", or with the file for a load,
// "LoadCue MPlayer_Music OVER.WAV".
std::string DescribeSoundOp(SoundOp op, std::string_view channel, std::string_view file);

// Told of every operation the game asks of a channel, before it runs (so a failing one too).
class SoundObserver {
 public:
  virtual ~SoundObserver() = default;
  // file is the bare file name ("START.WAV") for LoadCue, empty otherwise.
  virtual void OnSoundOp(SoundOp op, std::string_view channel, std::string_view file) = 0;
};

class SoundChannel {
 public:
  // slot: which of the mixer's channels this one plays on (0..3).
  SoundChannel(std::string name, AudioOutput& output, int slot);
  ~SoundChannel();  // closes the channel if it is open
  SoundChannel(const SoundChannel&) = delete;
  SoundChannel& operator=(const SoundChannel&) = delete;

  const std::string& Name() const { return name_; }
  void SetObserver(SoundObserver* observer) { observer_ = observer; }

  // file as the game names it, relative to the working directory: ".\SOUND\START.WAV".
  // Closes the channel first (ending its sound); on failure the channel stays closed and an
  // Error says plainly what is wrong with the file.
  void LoadCue(const std::string& file);
  // Each raises Error("No MCI device open") when the channel is not open.
  void PlayCue();
  void StopChannel();
  void RewindChannel();

  // The queries see the output as it stands now (a silent output is first brought up to its
  // clock). Positions are frames of the loaded sound at the output's rate.
  bool IsOpen() const;
  const std::string& FileName() const { return fileName_; }
  bool Playing() const;
  std::int64_t PositionFrames() const;
  std::int64_t LengthFrames() const;
  // Frames per second of PositionFrames and LengthFrames (the output's rate).
  int SampleRate() const;

 private:
  struct Impl;
  // Tells the observer, then brings the output up to the present.
  void Begin(SoundOp op, std::string_view file);
  void RequireOpen() const;
  std::string name_;
  std::string fileName_;
  SoundObserver* observer_ = nullptr;
  std::unique_ptr<Impl> impl_;
};

}  // namespace floemark::sound
