#pragma once
// Mixes the console's sound channels into the output's frames.
//
// Two threads meet here and share nothing but atomics. The game thread owns the channels: it
// hands a slot its decoded sound, starts, stops and rewinds it. The audio thread (a device's
// callback) or the silent output (on the game thread) pulls frames with Render or Advance.
// Each slot's play state is one 64-bit word holding the position, the playing flag and a
// change count; the puller commits the frames it has mixed with a compare-and-swap, so a stop
// on the game thread returns at once with the exact position where the sound stopped: every
// frame before it has left the mixer, none after it ever will. No locks, and no allocation on
// the pulling side.
//
// Units: frames of mono 16-bit samples at the output's rate.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace floemark::sound {

// A decoded sound, converted to the output's rate: immutable once handed to the mixer.
struct Pcm {
  std::vector<std::int16_t> samples;
  std::int64_t Frames() const { return static_cast<std::int64_t>(samples.size()); }
};

class Mixer {
 public:
  static constexpr int kSlots = 4;
  // The most frames mixed in one pass; longer requests are mixed in several.
  static constexpr int kChunkFrames = 1024;

  Mixer();
  ~Mixer();  // the puller must have stopped (the device closed) before
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // ---- Pulling side: one thread at a time (the audio callback, or the game thread for the
  // silent output). Never blocks, never allocates. ----
  // Renders frames of mono 16-bit samples into out, the playing slots summed with saturation.
  void Render(std::int16_t* out, int frames);
  // Advances the playing slots by frames without producing samples.
  void Advance(std::int64_t frames);

  // ---- Game thread ----
  // Gives the slot a new sound (nullptr: none), stopped at its start. The old sound is freed
  // once no pull can still be reading it.
  void SetSound(int slot, std::unique_ptr<const Pcm> pcm);
  // Plays from the current position; a slot already playing goes on undisturbed.
  void Start(int slot);
  // Stops and returns the position where playback stopped.
  std::int64_t Stop(int slot);
  // Moves the position to frame, keeping the slot playing or stopped.
  void Seek(int slot, std::int64_t frame);

  bool Playing(int slot) const;
  std::int64_t Position(int slot) const;
  std::int64_t Length(int slot) const;

  // ---- Any thread: how much the output is sounding, for a device that closes when idle ----
  bool AnyPlaying() const;
  // Frames pulled in a row, up to now, in which no slot sounded; a Start counts as sound, so a
  // cue started but not yet pulled keeps this at 0.
  std::int64_t SilentFrames() const { return silentFrames_.load(std::memory_order_seq_cst); }

 private:
  struct Slot {
    std::atomic<const Pcm*> pcm{nullptr};
    std::atomic<std::uint64_t> state{0};
    std::int64_t length = 0;  // game thread's copy of pcm->Frames()
  };
  struct Retired {
    std::uint64_t pullsStartedBefore;
    std::unique_ptr<const Pcm> pcm;
  };
  // Replaces the slot's state word, whatever the puller does meanwhile; returns the old word.
  std::uint64_t Exchange(Slot& slot, std::uint64_t (*change)(std::uint64_t, std::int64_t),
                         std::int64_t arg);
  void FreeRetired();
  void CountSilence(bool sounded, std::int64_t frames);

  std::array<Slot, kSlots> slots_;
  // Counts of pulls begun and finished: a sound unpublished while a pull was under way may be
  // freed once that pull has finished.
  std::atomic<std::uint64_t> pullsStarted_{0};
  std::atomic<std::uint64_t> pullsDone_{0};
  std::atomic<std::int64_t> silentFrames_{0};
  std::array<std::unique_ptr<const Pcm>, kSlots> owned_;
  std::vector<Retired> retired_;
};

}  // namespace floemark::sound
