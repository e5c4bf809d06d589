#include "console_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "base/clock.h"

namespace floemark::testing {

void PlaceBomb(TForm1& f, int b, int cell, int lane, int target, bool rolling) {
  f.BombInPlay[b] = true;
  f.NascondiBombe(b);
  f.BombCell[b] = cell;
  f.BombLane[b] = lane;
  if (target >= 0) f.BombTarget[b] = target;
  f.BombRolling[b] = target >= 0 && rolling;
  f.MostraBombe(b);
}

void PlacePlayer(TForm1& f, int p, int pos) {
  f.NascondiChar(p);
  f.PlayerPos[p] = pos;
  f.MostraChar(p);
}

std::int64_t TimeOfDayGiving(int n, int r, std::int64_t from) {
  for (std::int64_t t = from;; ++t)
    if (RandomDraw(t % 86'400'000, n) == r) return t;
}

Console::Console(std::int64_t timeOfDayMs, Create create)
    : clock(timeOfDayMs),
      audio(clock),
      sounds(clock),
      form_(std::make_unique<TForm1>(clock, clock, audio)) {
  for (sound::SoundChannel* ch : form_->Channels) ch->SetObserver(&sounds);
  if (create == Create::Now) Guard([&] { form_->FormCreate(); });
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
