// The show/hide primitives: each draws one game element at the place its state names.
// Arguments and places outside the game's ranges stand for no segment.
#include "game/form1.h"
#include "game/sides.h"

namespace floemark {

void TForm1::Show(Segment s) {
  if (s != kEmpty) Components.SetVisible(s, true);
}

void TForm1::Hide(Segment s) {
  if (s != kEmpty) Components.SetVisible(s, false);
}

bool TForm1::Shown(Segment s) const { return s != kEmpty && Components.Visible(s); }

void TForm1::MostraChar(int player) {
  if (!IsPlayer(player)) return;
  const auto& at = CharSegments[player][PlayerPos[player]];
  Show(at[0]);
  // At the ends a player has no arms; elsewhere the arm goes back to rest.
  if (PlayerPos[player] >= 2 && PlayerPos[player] <= 4) {
    Show(at[1]);
    Hide(at[2]);
  }
}

void TForm1::NascondiChar(int player) {
  if (!IsPlayer(player)) return;
  const auto& at = CharSegments[player][PlayerPos[player]];
  Hide(at[0]);
  if (PlayerPos[player] >= 2 && PlayerPos[player] <= 4) {
    Hide(at[1]);
    Hide(at[2]);
  }
}

void TForm1::MoveChar(int player, int step) {
  NascondiChar(player);
  PlayerPos[player] += step;
  MostraChar(player);
}

void TForm1::MostraDisturbi(int lane) {
  Show(WallSegments[1][lane]);
  Show(WallSegments[2][lane]);
}

void TForm1::NascondiDisturbi(int lane) {
  Hide(WallSegments[1][lane]);
  Hide(WallSegments[2][lane]);
}

void TForm1::MostraAvvoltoio() { Show(VultureSegments[VultureCell][VultureLane]); }
void TForm1::NascondiAvvoltoio() { Hide(VultureSegments[VultureCell][VultureLane]); }

void TForm1::MostraBombe(int i) {
  if (i == 1 || i == 2) Show(BombSegments[BombLane[i]][BombCell[i]]);
}

void TForm1::NascondiBombe(int i) {
  if (i == 1 || i == 2) Hide(BombSegments[BombLane[i]][BombCell[i]]);
}

void TForm1::MostraGhiaccio(int player) {
  if (IsPlayer(player)) Show(IceSegments[player][IcePos[player]]);
}

void TForm1::NascondiGhiaccio(int player) {
  if (IsPlayer(player)) Hide(IceSegments[player][IcePos[player]]);
}

void TForm1::MostraScaletta(int player) {
  // Only the block at the new height: the ones below are already showing.
  if (IsPlayer(player)) Show(LadderSegments[player][LadderHeight[player]]);
}

void TForm1::NascondiScaletta() {
  for (int player = 1; player <= 2; ++player)
    for (int h = 1; h <= 3; ++h) Hide(LadderSegments[player][h]);
}

void TForm1::ClearBombs(bool withExplosions) {
  for (int lane = 2; lane <= 4; ++lane)
    for (int cell = 0; cell <= 11; ++cell)
      if (withExplosions || !IsEndCell(cell)) Hide(BombSegments[lane][cell]);
  Hide(Im_BombP11);
  Hide(Im_BombS11);
}

void TForm1::Spegni_LCD() {
  for (int lane = 1; lane <= 4; ++lane) Hide(VultureSegments[5][lane]);
  for (int lane = 2; lane <= 5; ++lane) Hide(VultureSegments[6][lane]);
  for (int lane = 2; lane <= 4; ++lane) NascondiDisturbi(lane);
  for (Segment s :
       {Im_P_Lift, Im_S_Lift, Im_P_EatP1, Im_P_EatP2, Im_P_EatS1, Im_P_EatS2, Im_S_EatS1,
        Im_S_EatS2, Im_S_EatP1, Im_S_EatP2, Im_P_DieP, Im_S_DieP, Im_S_DieS, Im_P_DieS})
    Hide(s);
  ClearBombs(true);
  for (int player = 1; player <= 2; ++player) {
    for (int pos = 1; pos <= 5; ++pos) {
      PlayerPos[player] = pos;
      NascondiChar(player);
    }
    for (int pos = 1; pos <= 4; ++pos) Hide(IceSegments[player][pos]);
    for (int h = 1; h <= 3; ++h) Hide(LadderSegments[player][h]);
  }
  for (int p : kPlayers) Hide(kSides[p].supply);
  for (int screen = 1; screen <= 2; ++screen)
    for (int player = 1; player <= 2; ++player)
      for (int digit = 1; digit <= 2; ++digit) {
        const Segment slot = ScoreSlots[screen][player][digit];
        if (slot != kEmpty) Components.ClearPicture(slot);
      }
}

void TForm1::CalcolaScore(int player) {
  if (!IsPlayer(player)) return;
  const int s = Score[player];
  // A score the two places cannot show is drawn as blank places rather than read past the glyphs.
  Segment tens = kEmpty, units = kEmpty;
  if (s >= 0 && s < 10) {
    units = DigitGlyph[s];
  } else if (s >= 10 && s <= 99) {
    tens = DigitGlyph[s / 10];
    units = DigitGlyph[s % 10];
  }
  for (int screen = 1; screen <= 2; ++screen) {
    const Segment t = ScoreSlots[screen][player][1];
    const Segment u = ScoreSlots[screen][player][2];
    if (t != kEmpty) Components.CopyPicture(t, tens);
    if (u != kEmpty) Components.CopyPicture(u, units);
  }
}

}  // namespace floemark
