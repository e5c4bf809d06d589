#include "console_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "base/clock.h"

namespace floemark::testing {
namespace {

void PutLe(std::ofstream& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xff));
}

// 100 ms of quiet PCM, 8 kHz mono 16-bit.
void WriteWav(const std::filesystem::path& path) {
  constexpr std::uint32_t kFrames = 800;
  std::ofstream out(path, std::ios::binary);
  out.write("RIFF", 4);
  PutLe(out, 36 + kFrames * 2, 4);
  out.write("WAVEfmt ", 8);
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);
  PutLe(out, 1, 2);
  PutLe(out, 8000, 4);
  PutLe(out, 16000, 4);
  PutLe(out, 2, 2);
  PutLe(out, 16, 2);
  out.write("data", 4);
  PutLe(out, kFrames * 2, 4);
  for (std::uint32_t i = 0; i < kFrames; ++i) PutLe(out, (i / 10) % 2 ? 0x0200 : 0xfe00, 2);
}

}  // namespace

SoundDir::SoundDir(const std::vector<std::string>& files) {
  static std::atomic<int> serial{0};
  dir_ = std::filesystem::temp_directory_path() /
         ("floemark-game-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(dir_ / "SOUND");
  for (const std::string& f : files) WriteWav(dir_ / "SOUND" / f);
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
}

SoundDir::~SoundDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  std::filesystem::remove_all(dir_, ec);
}

void SoundLog::OnSoundOp(sound::SoundOp op, std::string_view channel, std::string_view file) {
  std::string line = std::string(sound::SoundOpName(op)) + " " + std::string(channel);
  if (op == sound::SoundOp::LoadCue) line += " " + std::string(file);
  calls.push_back({clock_.Now(), line});
}

std::vector<std::string> SoundLog::Since(std::int64_t t) const {
  std::vector<std::string> out;
  for (const SoundCall& c : calls)
    if (c.t >= t) out.push_back(c.line);
  return out;
}

int SoundLog::Count(const std::string& line) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const SoundCall& c) { return c.line == line; }));
}

std::int64_t TimeOfDayGiving(int n, int r, std::int64_t from) {
  for (std::int64_t t = from;; ++t)
    if (RandomDraw(t % 86'400'000, n) == r) return t;
}

Console::Console(std::int64_t timeOfDayMs)
    : clock(timeOfDayMs),
      audio(clock),
      sounds(clock),
      form_(std::make_unique<TForm1>(clock, clock, audio)) {
  for (sound::SoundChannel* ch : form_->Channels) ch->SetObserver(&sounds);
  Guard([&] { form_->FormCreate(); });
}

Console::~Console() {
  for (sound::SoundChannel* ch : form_->Channels) ch->SetObserver(nullptr);
}

void Console::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const Error& e) {
    errors.push_back(ReportText(e.what()));
  }
}

void Console::Before(std::int64_t t) {
  clock.RunBefore(t, [&](TimerId id) { Guard([&] { form_->OnTimer(id); }); });
}

void Console::Through(std::int64_t t) {
  clock.RunThrough(t, [&](TimerId id) { Guard([&] { form_->OnTimer(id); }); });
}

void Console::At(std::int64_t t, const std::function<void()>& handler) {
  Before(t);
  Guard(handler);
}

void Console::Press(std::int64_t t, std::uint16_t key) {
  At(t, [&] { form_->FormKeyDown(key); });
  At(t + 50, [&] { form_->FormKeyUp(key); });
}

void Console::PowerOnAndStart(std::int64_t t, std::uint16_t key, bool twoPlayers) {
  At(t, [&] { form_->Puls_PowerClick(); });
  if (twoPlayers) At(t, [&] { form_->Puls_SelectClick(); });
  Press(t, key);
}

std::vector<std::string> Console::ShownNames() const {
  std::vector<std::string> out;
  for (int i = 0; i < panel::kComponentCount; ++i)
    if (form_->Components.Visible(static_cast<panel::Component>(i)))
      out.emplace_back(panel::Info(static_cast<panel::Component>(i)).name);
  return out;
}

}  // namespace floemark::testing
