// The wall, the ice supply, the ladders and the bonus.
#include "game/form1.h"
#include "game/sides.h"

namespace floemark {

// The wall moves at most one lane per step and never jumps over the middle lane; from the
// middle it has three choices, from an edge two, which keeps it in the middle 3/7 of the time.
void TForm1::Timer_DisturbiTimer() {
  int move = 0;
  switch (WallLane) {
    case 2:
      move = Random(2) == 0 ? +1 : 0;
      break;
    case 3: {
      const int r = Random(3);
      move = r == 0 ? +1 : r == 1 ? -1 : 0;
      break;
    }
    case 4:
      move = Random(2) == 0 ? -1 : 0;
      break;
    default:
      return;
  }
  if (move == 0) return;
  NascondiDisturbi(WallLane);
  WallLane += move;
  MostraDisturbi(WallLane);
}

// One supply for both screens: it shows on both at once and stays until somebody takes it.
void TForm1::Timer_GhiaccioTimer() {
  for (int p : kPlayers) Show(kSides[p].supply);
  Timer_Ghiaccio.SetEnabled(false);
}

void TForm1::TakeIce(int p) {
  if (!IsPlayer(p)) return;
  // The opponent's screen loses the supply first, then the taker's own.
  Hide(kSides[Opponent(p)].supply);
  Hide(kSides[p].supply);
  BlockSound();
  IcePos[p] = 1;
  MostraGhiaccio(p);
  HandsEmpty[p] = false;
  // A new interval and then an enable: the next supply is always a full period away.
  Timer_Ghiaccio.SetInterval(17000);
  Timer_Ghiaccio.SetEnabled(true);
}

void TForm1::CarryIce(int p) {
  if (!IsPlayer(p)) return;
  NascondiGhiaccio(p);
  if (PlayerPos[p] == 5) {
    // At the ladder end the block goes onto the ladder; IcePos keeps the last place it was drawn.
    ++LadderHeight[p];
    MostraScaletta(p);
    BlockSound();
    HandsEmpty[p] = true;
    VerificaScaletta(p);
  } else {
    IcePos[p] = PlayerPos[p];
    MostraGhiaccio(p);
  }
}

void TForm1::VerificaScaletta(int p) {
  if (!IsPlayer(p) || LadderHeight[p] != 3) return;
  // The third block freezes the round at once; even its own block sound is cut for the jingle.
  Blocca_Timers();
  Blocca_MPlayers();
  InputEnabled[1] = false;
  InputEnabled[2] = false;
  if (SoundOn) {
    MPlayer_Music.LoadCue(".\\SOUND\\BONUS.WAV");
    MPlayer_Music.PlayCue();
  }
  BonusStep = 0;
  Timer_Bonus.SetInterval(1970);
  Timer_Bonus.SetEnabled(true);
}

namespace {
// Step 7: the screen of a new round, and play resumes.
void EndBonus(TForm1& f, int builder) {
  f.Timer_Bonus.SetEnabled(false);
  f.NascondiChar(Opponent(builder));
  f.Hide(kSides[builder].eat1Own);
  f.Hide(kSides[builder].eat1Opp);
  f.NascondiDisturbi(f.WallLane);
  // Both ladders start again from the ground, the loser's too.
  f.NascondiScaletta();
  f.LadderHeight[1] = 0;
  f.LadderHeight[2] = 0;
  f.NascondiAvvoltoio();
  // Every bomb goes, but an explosion picture is not the bonus's to clear.
  f.ClearBombs(false);
  // A block still in somebody's hands goes with its carrier, as after an explosion, so it never
  // floats where nobody stands.
  f.NewRound();
  f.ResumePlay(f.Timer_Bonus);
}
}  // namespace

// The builder climbs its ladder and eats twice; each bite costs the opponent a point. Seven
// steps take 6805 ms from the third block to the next round.
void TForm1::Timer_BonusTimer() {
  ++BonusStep;
  const int builder = LadderHeight[1] == 3 ? kPenguin : kSeal;
  const int opponent = Opponent(builder);
  const Side& pic = kSides[builder];
  switch (BonusStep) {
    case 1:
      Hide(pic.body5);
      Show(pic.lift);
      Show(pic.eat1Opp);
      Timer_Bonus.SetInterval(705);
      break;
    case 2:
      Hide(pic.lift);
      Show(pic.eat1Own);
      Timer_Bonus.SetInterval(700);
      break;
    case 3:
    case 5:
      Show(pic.eat2Own);
      Show(pic.eat2Opp);
      --Score[opponent];
      CalcolaScore(opponent);
      if (Score[1] == 0 || Score[2] == 0)
        GameOverHold(Timer_Bonus);
      else
        Timer_Bonus.SetInterval(300);
      break;
    case 4:
    case 6:
      Hide(pic.eat2Own);
      Hide(pic.eat2Opp);
      Timer_Bonus.SetInterval(BonusStep == 4 ? 1400 : 1430);
      break;
    case 7:
      EndBonus(*this, builder);
      break;
    default:
      break;
  }
}

}  // namespace floemark
