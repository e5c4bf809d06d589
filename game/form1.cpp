#include "game/form1.h"

namespace floemark {

TForm1::TForm1(Clock& clock, TimerDriver& timers, sound::AudioOutput& audio)
    : Timer_Avvio(TimerId::Timer_Avvio, &timers),
      Timer_Bonus(TimerId::Timer_Bonus, &timers),
      Timer_Errore(TimerId::Timer_Errore, &timers),
      Timer_Over(TimerId::Timer_Over, &timers),
      Timer_Avvoltoio(TimerId::Timer_Avvoltoio, &timers),
      Timer_Disturbi(TimerId::Timer_Disturbi, &timers),
      Timer_Ghiaccio(TimerId::Timer_Ghiaccio, &timers),
      TimerGioco(TimerId::TimerGioco, &timers),
      TimerIA(TimerId::TimerIA, &timers),
      TimerBraccio1(TimerId::TimerBraccio1, &timers),
      TimerBraccio2(TimerId::TimerBraccio2, &timers),
      MPlayer_Music("MPlayer_Music", audio, 0),
      MPlayer_Tempo("MPlayer_Tempo", audio, 1),
      MPlayer_Block("MPlayer_Block", audio, 2),
      MPlayer_Got("MPlayer_Got", audio, 3),
      clock_(clock) {}

TForm1::~TForm1() = default;

Timer& TForm1::TimerById(TimerId id) {
  Timer* all[kTimerCount] = {&Timer_Avvio,     &Timer_Bonus,    &Timer_Errore, &Timer_Over,
                             &Timer_Avvoltoio, &Timer_Disturbi, &Timer_Ghiaccio, &TimerGioco,
                             &TimerIA,         &TimerBraccio1,  &TimerBraccio2};
  return *all[static_cast<int>(id)];
}

const Timer& TForm1::TimerById(TimerId id) const {
  return const_cast<TForm1*>(this)->TimerById(id);
}

void TForm1::OnTimer(TimerId id) {
  switch (id) {
    case TimerId::Timer_Avvio: return Timer_AvvioTimer();
    case TimerId::Timer_Bonus: return Timer_BonusTimer();
    case TimerId::Timer_Errore: return Timer_ErroreTimer();
    case TimerId::Timer_Over: return Timer_OverTimer();
    case TimerId::Timer_Avvoltoio: return Timer_AvvoltoioTimer();
    case TimerId::Timer_Disturbi: return Timer_DisturbiTimer();
    case TimerId::Timer_Ghiaccio: return Timer_GhiaccioTimer();
    case TimerId::TimerGioco: return TimerGiocoTimer();
    case TimerId::TimerIA: return TimerIATimer();
    case TimerId::TimerBraccio1: return TimerBraccio1Timer();
    case TimerId::TimerBraccio2: return TimerBraccio2Timer();
  }
}

int TForm1::Random(int n) { return RandomDraw(clock_.TimeOfDayMs(), n); }

}  // namespace floemark
