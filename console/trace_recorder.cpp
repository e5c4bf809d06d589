#include "console/trace_recorder.h"

#include <algorithm>

namespace floemark::console {
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

TraceRecorder::TraceRecorder(TForm1& form, std::string& out, AfterHandler after)
    : form_(form), out_(out), after_(std::move(after)) {
  for (sound::SoundChannel* ch : form_.Channels) ch->SetObserver(this);
}

TraceRecorder::~TraceRecorder() {
  for (sound::SoundChannel* ch : form_.Channels) ch->SetObserver(nullptr);
}

void TraceRecorder::OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) {
  sound_ += "  sound ";
  sound_ += sound::DescribeSoundOp(op, channel, file);
  sound_ += '\n';
}

TraceRecorder::Snapshot TraceRecorder::Take() const {
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

void TraceRecorder::Begin(std::int64_t t, const HandlerCall& call) {
  t_ = t;
  name_ = HandlerName(call);
  std::string& out = out_;
  out += std::to_string(t);
  out += ' ';
  out += name_;
  out += '\n';
  sound_.clear();
  before_ = Take();
}

void TraceRecorder::End(const std::string* error) {
  std::string& out = out_;
  const Snapshot after = Take();
  out += sound_;
  sound_.clear();
  if (error) out += "  error " + *error + "\n";
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
  if (after_) after_(t_, name_, form_);
}

}  // namespace floemark::console
