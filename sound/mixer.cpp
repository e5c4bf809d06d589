#include "sound/mixer.h"

#include <algorithm>
#include <limits>

namespace floemark::sound {
namespace {

// A slot's state word: bit 63 playing, bits 40..62 a count of the game thread's changes (so a
// pull that read the word before a change can never commit over it), bits 0..39 the position.
constexpr std::uint64_t kPlaying = std::uint64_t{1} << 63;
constexpr int kCountShift = 40;
constexpr std::uint64_t kPositionMask = (std::uint64_t{1} << kCountShift) - 1;
constexpr std::uint64_t kCountMask = ~kPlaying & ~kPositionMask;

std::int64_t PositionOf(std::uint64_t word) {
  return static_cast<std::int64_t>(word & kPositionMask);
}
bool PlayingIn(std::uint64_t word) { return (word & kPlaying) != 0; }

// The word after a change by the game thread.
std::uint64_t Changed(std::uint64_t word, bool playing, std::int64_t position) {
  const std::uint64_t count =
      ((word & kCountMask) + (std::uint64_t{1} << kCountShift)) & kCountMask;
  return (playing ? kPlaying : 0) | count | (static_cast<std::uint64_t>(position) & kPositionMask);
}

// The word after the puller has played up to position; a sound that has reached its end stops.
std::uint64_t Played(std::uint64_t word, std::int64_t position, std::int64_t length) {
  std::uint64_t next = (word & ~kPositionMask) | static_cast<std::uint64_t>(position);
  if (position >= length) next &= ~kPlaying;
  return next;
}

}  // namespace

Mixer::Mixer() = default;
Mixer::~Mixer() = default;

void Mixer::Render(std::int16_t* out, int frames) {
  pullsStarted_.fetch_add(1, std::memory_order_seq_cst);
  std::int32_t sum[kChunkFrames];
  const int asked = frames;
  bool sounded = false;
  while (frames > 0) {
    const int chunk = std::min(frames, kChunkFrames);
    std::fill(sum, sum + chunk, 0);
    for (Slot& slot : slots_) {
      std::uint64_t word = slot.state.load(std::memory_order_seq_cst);
      if (!PlayingIn(word)) continue;
      const Pcm* pcm = slot.pcm.load(std::memory_order_seq_cst);
      if (pcm == nullptr) continue;
      const std::int64_t length = pcm->Frames();
      const std::int64_t from = std::min(PositionOf(word), length);
      const std::int64_t count = std::min<std::int64_t>(chunk, length - from);
      // Commit first: if the game thread changed the slot meanwhile, these frames never sound.
      if (!slot.state.compare_exchange_strong(word, Played(word, from + count, length),
                                              std::memory_order_seq_cst)) {
        continue;
      }
      const std::int16_t* src = pcm->samples.data() + from;
      for (std::int64_t i = 0; i < count; ++i) sum[i] += src[i];
      sounded = sounded || count > 0;
    }
    for (int i = 0; i < chunk; ++i) {
      out[i] = static_cast<std::int16_t>(
          std::clamp<std::int32_t>(sum[i], std::numeric_limits<std::int16_t>::min(),
                                   std::numeric_limits<std::int16_t>::max()));
    }
    out += chunk;
    frames -= chunk;
  }
  CountSilence(sounded, asked);
  pullsDone_.fetch_add(1, std::memory_order_release);
}

void Mixer::CountSilence(bool sounded, std::int64_t frames) {
  // Added, not stored: a Start that reset the count during this pull must not be overwritten.
  if (sounded) {
    silentFrames_.store(0, std::memory_order_seq_cst);
  } else {
    silentFrames_.fetch_add(frames, std::memory_order_seq_cst);
  }
}

void Mixer::Advance(std::int64_t frames) {
  if (frames <= 0) return;
  pullsStarted_.fetch_add(1, std::memory_order_seq_cst);
  bool sounded = false;
  for (Slot& slot : slots_) {
    std::uint64_t word = slot.state.load(std::memory_order_seq_cst);
    if (!PlayingIn(word)) continue;
    const Pcm* pcm = slot.pcm.load(std::memory_order_seq_cst);
    if (pcm == nullptr) continue;
    const std::int64_t length = pcm->Frames();
    const std::int64_t to = std::min(PositionOf(word) + frames, length);
    if (slot.state.compare_exchange_strong(word, Played(word, to, length),
                                           std::memory_order_seq_cst)) {
      sounded = sounded || to > PositionOf(word);
    }
  }
  CountSilence(sounded, frames);
  pullsDone_.fetch_add(1, std::memory_order_release);
}

std::uint64_t Mixer::Exchange(Slot& slot, std::uint64_t (*change)(std::uint64_t, std::int64_t),
                              std::int64_t arg) {
  std::uint64_t word = slot.state.load(std::memory_order_seq_cst);
  // Fails only when a pull committed in between; the next try sees its position.
  while (!slot.state.compare_exchange_weak(word, change(word, arg), std::memory_order_seq_cst)) {
  }
  return word;
}

void Mixer::SetSound(int slot, std::unique_ptr<const Pcm> pcm) {
  FreeRetired();
  Slot& s = slots_[slot];
  Exchange(
      s, [](std::uint64_t w, std::int64_t) { return Changed(w, false, PositionOf(w)); }, 0);
  s.pcm.store(pcm.get(), std::memory_order_seq_cst);
  s.length = pcm ? pcm->Frames() : 0;
  Exchange(
      s, [](std::uint64_t w, std::int64_t) { return Changed(w, false, 0); }, 0);
  // Any pull begun from here on sees the new sound; those already under way may still read
  // the old one until they finish.
  const std::uint64_t started = pullsStarted_.load(std::memory_order_seq_cst);
  if (owned_[slot]) {
    if (pullsDone_.load(std::memory_order_acquire) >= started) {
      owned_[slot].reset();
    } else {
      retired_.push_back({started, std::move(owned_[slot])});
    }
  }
  owned_[slot] = std::move(pcm);
}

void Mixer::FreeRetired() {
  const std::uint64_t done = pullsDone_.load(std::memory_order_acquire);
  std::erase_if(retired_, [done](const Retired& r) { return done >= r.pullsStartedBefore; });
}

void Mixer::Start(int slot) {
  Slot& s = slots_[slot];
  if (s.pcm.load(std::memory_order_relaxed) == nullptr) return;
  std::uint64_t word = s.state.load(std::memory_order_seq_cst);
  while (!PlayingIn(word) &&
         !s.state.compare_exchange_weak(word, Changed(word, true, PositionOf(word)),
                                        std::memory_order_seq_cst)) {
  }
  // After the slot plays: whoever sees the count at 0 also sees the slot playing.
  silentFrames_.store(0, std::memory_order_seq_cst);
}

std::int64_t Mixer::Stop(int slot) {
  const std::uint64_t was = Exchange(
      slots_[slot], [](std::uint64_t w, std::int64_t) { return Changed(w, false, PositionOf(w)); },
      0);
  return PositionOf(was);
}

void Mixer::Seek(int slot, std::int64_t frame) {
  Slot& s = slots_[slot];
  Exchange(
      s, [](std::uint64_t w, std::int64_t f) { return Changed(w, PlayingIn(w), f); },
      std::clamp<std::int64_t>(frame, 0, s.length));
}

bool Mixer::Playing(int slot) const {
  return PlayingIn(slots_[slot].state.load(std::memory_order_seq_cst));
}

std::int64_t Mixer::Position(int slot) const {
  return PositionOf(slots_[slot].state.load(std::memory_order_seq_cst));
}

std::int64_t Mixer::Length(int slot) const { return slots_[slot].length; }

bool Mixer::AnyPlaying() const {
  for (const Slot& slot : slots_) {
    if (PlayingIn(slot.state.load(std::memory_order_seq_cst))) return true;
  }
  return false;
}

}  // namespace floemark::sound
