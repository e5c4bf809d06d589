#include "tools/trace/script.h"

#include <cstdio>

namespace floemark::trace {
namespace {

// Longer runs than this would never finish; refusing them keeps the tool answerable.
constexpr std::int64_t kMaxTimeMs = 999'999'999'999'999;

struct Key {
  std::string_view name;
  int code;
};
constexpr Key kKeys[] = {{"SHIFT", 16}, {"CTRL", 17}, {"Z", 90},
                         {"C", 67},     {"LEFT", 37}, {"RIGHT", 39}};
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

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
    if (j > i) words.push_back(line.substr(i, j - i));
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

ParseResult ParseScript(std::string_view text) {
  Script script;
  bool clockSeen = false, timedSeen = false, ended = false;
  std::int64_t lastTime = 0;
  int lineNo = 0;
  auto fail = [](int line, std::string message) {
    return ParseResult{std::nullopt, ParseError{line, std::move(message)}};
  };
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) nl = text.size();
    std::string_view line = text.substr(pos, nl - pos);
    pos = nl + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
      line = line.substr(0, hash);
    const std::vector<std::string_view> w = Words(line);
    if (w.empty()) continue;
    if (ended) return fail(lineNo, "nothing may follow end");
    if (w[0] == "clock") {
      if (clockSeen) return fail(lineNo, "clock given twice");
      if (timedSeen) return fail(lineNo, "clock must come before the first timed line");
      if (w.size() != 2) return fail(lineNo, "clock takes one time of day, HH:MM:SS.mmm");
      if (!ParseClock(w[1], script.clockMs))
        return fail(lineNo, "bad time of day " + Quote(w[1]) + ", expected HH:MM:SS.mmm");
      clockSeen = true;
      continue;
    }
    Command cmd{Command::End, 0, 0};
    if (!ParseNumber(w[0], kMaxTimeMs, cmd.timeMs)) {
      bool digits = !w[0].empty();
      for (char c : w[0]) digits = digits && c >= '0' && c <= '9';
      if (digits) return fail(lineNo, "time " + Quote(w[0]) + " is too large");
      return fail(lineNo, "expected a time in ms or clock, found " + Quote(w[0]));
    }
    if (cmd.timeMs < lastTime)
      return fail(lineNo, "time " + std::to_string(cmd.timeMs) + " is before the time " +
                              std::to_string(lastTime) + " of the line before");
    if (w.size() < 2) return fail(lineNo, "missing command after the time");
    const std::string_view verb = w[1];
    const std::size_t want = verb == "end" ? 2 : 3;
    if (verb == "down" || verb == "up") {
      if (w.size() < 3) return fail(lineNo, "missing key after " + std::string(verb));
      const std::optional<int> key = ParseKey(w[2]);
      if (!key) return fail(lineNo, "unknown key " + Quote(w[2]));
      cmd.kind = verb == "down" ? Command::KeyDown : Command::KeyUp;
      cmd.key = static_cast<std::uint16_t>(*key);
    } else if (verb == "click") {
      if (w.size() < 3) return fail(lineNo, "missing button after click");
      int button = -1;
      for (int b = 0; b < 3; ++b)
        if (w[2] == kButtons[b]) button = b;
      if (button < 0) return fail(lineNo, "unknown button " + Quote(w[2]));
      cmd.kind = Command::Click;
      cmd.button = static_cast<Button>(button);
    } else if (verb == "end") {
      cmd.kind = Command::End;
      ended = true;
    } else {
      return fail(lineNo, "unknown command " + Quote(verb));
    }
    if (w.size() > want) return fail(lineNo, "unexpected " + Quote(w[want]) + " at the end");
    timedSeen = true;
    lastTime = cmd.timeMs;
    script.commands.push_back(cmd);
  }
  if (!ended) {
    return fail(lineNo < 1 ? 1 : lineNo, "the script has no end");
  }
  return ParseResult{std::move(script), std::nullopt};
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

}  // namespace floemark::trace
