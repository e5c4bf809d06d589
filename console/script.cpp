#include "console/script.h"

#include <cstdio>
#include <cstring>

#include "game/form1.h"

namespace floemark::console {
namespace {

struct Key {
  std::string_view name;
  int code;
};
constexpr Key kKeys[] = {{"SHIFT", vk::Shift}, {"CTRL", vk::Ctrl}, {"Z", vk::Z},
                         {"C", vk::C},         {"LEFT", vk::Left}, {"RIGHT", vk::Right}};
constexpr std::string_view kButtons[] = {"power", "select", "sound"};

// A word as it may be shown in a message: bytes that are not printable ASCII are escaped.
std::string Quote(std::string_view w) {
  std::string out = "\"";
  for (unsigned char c : w.substr(0, 40)) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", c);
      out += buf;
    }
  }
  if (w.size() > 40) out += "...";
  return out + "\"";
}

// The first words of a line (only spaces and tabs separate words), and how many there are.
struct Words {
  static constexpr std::size_t kKept = 4;  // enough to name the word after a full command
  std::string_view w[kKept];
  std::size_t count = 0;
  std::string_view operator[](std::size_t i) const { return w[i]; }
  std::size_t size() const { return count; }
  bool empty() const { return count == 0; }
};

Words SplitWords(std::string_view line) {
  Words words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) {
      if (words.count < Words::kKept) words.w[words.count] = line.substr(i, j - i);
      ++words.count;
    }
    i = j;
  }
  return words;
}

// Decimal digits only, leading zeros allowed; false when empty, not digits or above max.
bool ParseNumber(std::string_view w, std::int64_t max, std::int64_t& value) {
  if (w.empty()) return false;
  value = 0;
  for (char c : w) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > max) return false;
  }
  return true;
}

bool ParseDigits(std::string_view w, std::size_t at, std::size_t n, int max, int& value) {
  std::int64_t v = 0;
  if (!ParseNumber(w.substr(at, n), max, v)) return false;
  value = static_cast<int>(v);
  return true;
}

// HH:MM:SS.mmm, each field with exactly its digits.
bool ParseClock(std::string_view w, std::int64_t& ms) {
  int h, m, s, f;
  if (w.size() != 12 || w[2] != ':' || w[5] != ':' || w[8] != '.') return false;
  if (!ParseDigits(w, 0, 2, 23, h) || !ParseDigits(w, 3, 2, 59, m) ||
      !ParseDigits(w, 6, 2, 59, s) || !ParseDigits(w, 9, 3, 999, f))
    return false;
  ms = ((h * 60LL + m) * 60 + s) * 1000 + f;
  return true;
}

std::optional<int> ParseKey(std::string_view w) {
  for (const Key& k : kKeys)
    if (w == k.name) return k.code;
  std::int64_t code;
  if (ParseNumber(w, 65535, code)) return static_cast<int>(code);
  return std::nullopt;
}

}  // namespace

void ScriptReader::Feed(std::string_view piece) {
  std::size_t pos = 0;
  while (pos < piece.size() && !error_) {
    if (partial_.empty()) {
      // Runs of empty lines cost a count each, eight at a time.
      constexpr std::uint64_t kEightBreaks = 0x0a0a'0a0a'0a0a'0a0aull;
      std::uint64_t eight = 0;
      while (pos + 8 <= piece.size() &&
             (std::memcpy(&eight, piece.data() + pos, 8), eight == kEightBreaks)) {
        pos += 8;
        lineNo_ += 8;
      }
      while (pos < piece.size() && piece[pos] == '\n') {
        ++pos;
        ++lineNo_;
      }
      if (pos == piece.size()) break;
    }
    const std::size_t nl = piece.find('\n', pos);
    const std::string_view rest =
        piece.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    if (partial_.size() + rest.size() > kMaxLineBytes) {
      ++lineNo_;
      Fail("the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
      return;
    }
    if (nl == std::string_view::npos) {
      partial_ += rest;
      return;
    }
    pos = nl + 1;
    ++lineNo_;
    if (partial_.empty()) {
      Line(rest);
    } else {
      partial_ += rest;
      Line(partial_);
      partial_.clear();
    }
  }
}

ParseResult ScriptReader::Finish() {
  if (!error_ && !partial_.empty()) {
    ++lineNo_;
    Line(partial_);
    partial_.clear();
  }
  if (!error_ && !ended_) {
    if (lineNo_ < 1) lineNo_ = 1;
    Fail("the script has no end");
  }
  if (error_) return ParseResult{std::nullopt, std::move(error_)};
  script_.commands.Trim();
  return ParseResult{std::move(script_), std::nullopt};
}

void ScriptReader::Line(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
    line = line.substr(0, hash);
  const Words w = SplitWords(line);
  if (w.empty()) return;
  if (ended_) return Fail("nothing may follow end");
  if (w[0] == "clock") {
    if (clockSeen_) return Fail("clock given twice");
    if (timedSeen_) return Fail("clock must come before the first timed line");
    if (w.size() != 2) return Fail("clock takes one time of day, HH:MM:SS.mmm");
    if (!ParseClock(w[1], script_.clockMs))
      return Fail("bad time of day " + Quote(w[1]) + ", expected HH:MM:SS.mmm");
    clockSeen_ = true;
    return;
  }
  Command cmd{Command::End, 0, 0};
  if (!ParseNumber(w[0], kLatestScriptMs, cmd.timeMs)) {
    bool digits = !w[0].empty();
    for (char c : w[0]) digits = digits && c >= '0' && c <= '9';
    if (digits) {
      return Fail("time " + Quote(w[0]) + " is too large (the latest is " +
                  std::to_string(kLatestScriptMs) + " ms)");
    }
    return Fail("expected a time in ms or clock, found " + Quote(w[0]));
  }
  if (cmd.timeMs < lastTime_)
    return Fail("time " + std::to_string(cmd.timeMs) + " is before the time " +
                std::to_string(lastTime_) + " of the line before");
  if (w.size() < 2) return Fail("missing command after the time");
  const std::string_view verb = w[1];
  const std::size_t want = verb == "end" ? 2 : 3;
  if (verb == "down" || verb == "up") {
    if (w.size() < 3) return Fail("missing key after " + std::string(verb));
    const std::optional<int> key = ParseKey(w[2]);
    if (!key) return Fail("unknown key " + Quote(w[2]));
    cmd.kind = verb == "down" ? Command::KeyDown : Command::KeyUp;
    cmd.key = static_cast<std::uint16_t>(*key);
  } else if (verb == "click") {
    if (w.size() < 3) return Fail("missing button after click");
    int button = -1;
    for (int b = 0; b < 3; ++b)
      if (w[2] == kButtons[b]) button = b;
    if (button < 0) return Fail("unknown button " + Quote(w[2]));
    cmd.kind = Command::Click;
    cmd.button = static_cast<Button>(button);
  } else if (verb == "end") {
    cmd.kind = Command::End;
    ended_ = true;
  } else {
    return Fail("unknown command " + Quote(verb));
  }
  if (w.size() > want) return Fail("unexpected " + Quote(w[want]) + " at the end");
  timedSeen_ = true;
  lastTime_ = cmd.timeMs;
  script_.commands.Add(cmd);
}

ParseResult ParseScript(std::string_view text) {
  ScriptReader reader;
  reader.Feed(text);
  return reader.Finish();
}

std::string FormatClock(std::int64_t timeOfDayMs) {
  char buf[24];
  const long long ms = timeOfDayMs;
  std::snprintf(buf, sizeof buf, "clock %02lld:%02lld:%02lld.%03lld", ms / 3'600'000 % 24,
                ms / 60'000 % 60, ms / 1000 % 60, ms % 1000);
  return buf;
}

std::string FormatCommand(const Command& c) {
  std::string line = std::to_string(c.timeMs);
  switch (c.kind) {
    case Command::KeyDown:
    case Command::KeyUp: {
      line += c.kind == Command::KeyDown ? " down " : " up ";
      std::string name = std::to_string(c.key);
      for (const Key& k : kKeys)
        if (k.code == c.key) name = k.name;
      return line + name;
    }
    case Command::Click:
      return line + " click " + std::string(kButtons[static_cast<int>(c.button)]);
    case Command::End:
      return line + " end";
  }
  return line;
}

}  // namespace floemark::console
