#include "console/commands.h"

#include <iterator>

#include "game/form1.h"

namespace floemark::console {
namespace {

// The command byte: the kind in the high half; in the low half the button of a click, or the
// key among the game's keys, or kOtherKey when the code follows in two bytes (low byte first).
constexpr std::uint16_t kNamedKeys[] = {vk::Shift, vk::Ctrl, vk::Z, vk::C, vk::Left, vk::Right};
constexpr std::uint8_t kOtherKey = 0x0f;

}  // namespace

void Commands::Add(const Command& c) {
  std::uint64_t step = static_cast<std::uint64_t>(c.timeMs - lastTimeMs_);
  lastTimeMs_ = c.timeMs;
  while (step >= 0x80) {
    bytes_.push_back(static_cast<std::uint8_t>(step | 0x80));
    step >>= 7;
  }
  bytes_.push_back(static_cast<std::uint8_t>(step));
  std::uint8_t low = 0;
  bool otherKey = false;
  if (c.kind == Command::KeyDown || c.kind == Command::KeyUp) {
    low = kOtherKey;
    for (std::uint8_t i = 0; i < std::size(kNamedKeys); ++i)
      if (kNamedKeys[i] == c.key) low = i;
    otherKey = low == kOtherKey;
  } else if (c.kind == Command::Click) {
    low = static_cast<std::uint8_t>(c.button);
  }
  bytes_.push_back(static_cast<std::uint8_t>(c.kind << 4 | low));
  if (otherKey) {
    bytes_.push_back(static_cast<std::uint8_t>(c.key));
    bytes_.push_back(static_cast<std::uint8_t>(c.key >> 8));
  }
  ++count_;
}

Commands::Iterator Commands::begin() const {
  return Iterator(bytes_.data(), bytes_.data() + bytes_.size(), 0);
}

Commands::Iterator Commands::end() const {
  const std::uint8_t* end = bytes_.data() + bytes_.size();
  return Iterator(end, end, 0);
}

Commands::Iterator::Iterator(const std::uint8_t* at, const std::uint8_t* end, std::int64_t timeMs)
    : at_(at), end_(end) {
  current_.timeMs = timeMs;
  Decode();
}

Commands::Iterator& Commands::Iterator::operator++() {
  at_ = next_;
  Decode();
  return *this;
}

// Only what Add wrote is read, so the bytes are trusted.
void Commands::Iterator::Decode() {
  if (at_ == end_) return;
  const std::uint8_t* p = at_;
  std::uint64_t step = 0;
  for (int shift = 0;; shift += 7) {
    const std::uint8_t b = *p++;
    step |= std::uint64_t{b & 0x7fu} << shift;
    if (b < 0x80) break;
  }
  const std::uint8_t op = *p++;
  Command c{static_cast<Command::Kind>(op >> 4), current_.timeMs + static_cast<std::int64_t>(step)};
  const std::uint8_t low = op & 0x0f;
  if (c.kind == Command::KeyDown || c.kind == Command::KeyUp) {
    if (low == kOtherKey) {
      c.key = static_cast<std::uint16_t>(p[0] | p[1] << 8);
      p += 2;
    } else {
      c.key = kNamedKeys[low];
    }
  } else if (c.kind == Command::Click) {
    c.button = static_cast<Button>(low);
  }
  current_ = c;
  next_ = p;
}

}  // namespace floemark::console
