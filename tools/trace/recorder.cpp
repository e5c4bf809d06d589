#include "tools/trace/recorder.h"

#include <algorithm>

#include "base/error.h"

namespace floemark::trace {
namespace {

std::string_view Name(panel::Component c) {
  return c == panel::kNoPicture ? std::string_view("-") : panel::Info(c).name;
}

// Lines of one kind, sorted by component name in plain byte order.
void AppendSorted(std::vector<std::string>& lines, std::string& out) {
  std::sort(lines.begin(), lines.end());
  for (const std::string& l : lines) out += l;
}

}  // namespace

Recorder::Recorder(TForm1& form,
                   std::function<void(std::int64_t, std::string_view, const TForm1&)> after)
    : form_(form), after_(std::move(after)) {
  for (sound::SoundChannel* ch : form_.Channels) ch->SetObserver(this);
}

Recorder::~Recorder() {
  for (sound::SoundChannel* ch : form_.Channels) ch->SetObserver(nullptr);
}

void Recorder::OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) {
  sound_ += "  sound ";
  sound_ += sound::DescribeSoundOp(op, channel, file);
  sound_ += '\n';
}

Recorder::Snapshot Recorder::Take() const {
  Snapshot s;
  for (int i = 0; i < panel::kComponentCount; ++i) {
    const auto c = static_cast<panel::Component>(i);
    s.visible[i] = form_.Components.Visible(c);
    s.picture[i] = form_.Components.Picture(c);
  }
  for (int i = 0; i < kTimerCount; ++i) {
    const Timer& t = form_.TimerById(static_cast<TimerId>(i));
    s.enabled[i] = t.Enabled();
    s.interval[i] = t.Interval();
  }
  return s;
}

void Recorder::Begin(std::int64_t t, std::string_view name, std::string& out) {
  out += std::to_string(t);
  out += ' ';
  out += name;
  out += '\n';
  sound_.clear();
  before_ = Take();
}

void Recorder::Finish(const std::string* error, std::string& out) {
  const Snapshot after = Take();
  out += sound_;
  sound_.clear();
  if (error) out += "  error " + ReportText(*error) + "\n";
  std::vector<std::string> shown, hidden, pictures;
  for (int i = 0; i < panel::kComponentCount; ++i) {
    const auto c = static_cast<panel::Component>(i);
    if (!before_.visible[i] && after.visible[i])
      shown.push_back("  show " + std::string(Name(c)) + "\n");
    if (before_.visible[i] && !after.visible[i])
      hidden.push_back("  hide " + std::string(Name(c)) + "\n");
    if (before_.picture[i] != after.picture[i])
      pictures.push_back("  picture " + std::string(Name(c)) + " " +
                         std::string(Name(after.picture[i])) + "\n");
  }
  AppendSorted(shown, out);
  AppendSorted(hidden, out);
  AppendSorted(pictures, out);
  for (int i = 0; i < kTimerCount; ++i) {
    if (before_.enabled[i] == after.enabled[i] && before_.interval[i] == after.interval[i])
      continue;
    out += "  timer ";
    out += TimerName(static_cast<TimerId>(i));
    out += after.enabled[i] ? " on " : " off ";
    out += std::to_string(after.interval[i]);
    out += '\n';
  }
}

}  // namespace floemark::trace
