#pragma once
// What happens to the console and when: the commands of a replay script, packed so that a
// long script takes a few bytes an event (ten million events in some 30 MB).

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace floemark::console {

// The console's three switches, in the order the script names them.
enum class Button : std::uint8_t { Power, Select, Sound };

struct Command {
  enum Kind : std::uint8_t { KeyDown, KeyUp, Click, End } kind;
  std::int64_t timeMs;            // since t = 0
  std::uint16_t key = 0;          // KeyDown, KeyUp: the virtual key code
  Button button = Button::Power;  // Click
};

// Commands in time order, each stored as the step from the time before (a varint) and one
// byte naming the command, plus two for a key that has no name in the script.
class Commands {
 public:
  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Command;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = Command;

    Iterator() = default;
    Command operator*() const { return current_; }
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator was = *this;
      ++*this;
      return was;
    }
    bool operator==(const Iterator& o) const { return at_ == o.at_; }

   private:
    friend class Commands;
    Iterator(const std::uint8_t* at, const std::uint8_t* end, std::int64_t timeMs);
    void Decode();
    const std::uint8_t* at_ = nullptr;  // the start of current_
    const std::uint8_t* next_ = nullptr;
    const std::uint8_t* end_ = nullptr;
    Command current_{Command::End, 0};
  };

  // c.timeMs is not before the time of the command added last.
  void Add(const Command& c);
  // Gives back what growing kept in reserve.
  void Trim() { bytes_.shrink_to_fit(); }

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // The memory the commands hold.
  std::size_t Bytes() const { return bytes_.capacity(); }
  Iterator begin() const;
  Iterator end() const;

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t count_ = 0;
  std::int64_t lastTimeMs_ = 0;
};

}  // namespace floemark::console
