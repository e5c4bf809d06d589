// The runtime state of the components: start values, picture copies and what needs repainting.
#include "panel/panel.h"

#include <gtest/gtest.h>

namespace floemark::panel {
namespace {

TEST(Panel, StartsAsTheHandheldIsPoweredUp) {
  Panel p;
  EXPECT_TRUE(p.Visible(Im_Base));
  EXPECT_FALSE(p.Visible(Im_BombP35));
  EXPECT_FALSE(p.Visible(Puls_On));
  EXPECT_EQ(p.Picture(Im_Base), Im_Base);
  EXPECT_EQ(p.Picture(Puls_Power), kNoPicture);
  EXPECT_EQ(p.Picture(Im_NumPosPP1), kNoPicture);
  EXPECT_EQ(p.Hint(Puls_Sound), "Press to turn sound off");
  EXPECT_TRUE(p.TakeDamage().none());
}

TEST(Panel, CopiesNameTheirSourceAndDamageOnlyWhatChanged) {
  Panel p;
  p.CopyPicture(Puls_Power, Puls_On);
  EXPECT_EQ(p.Picture(Puls_Power), Puls_On);
  p.CopyPicture(Im_NumPosPP1, Im_Num7);
  p.CopyPicture(Im_NumPosPP2, Im_NumPosPP1);  // a copy of a copy is the glyph's picture
  EXPECT_EQ(p.Picture(Im_NumPosPP2), Im_Num7);
  auto d = p.TakeDamage();
  EXPECT_TRUE(d.test(Puls_Power));
  EXPECT_TRUE(d.test(Im_NumPosPP2));
  EXPECT_EQ(d.count(), 3u);
  p.CopyPicture(Puls_Power, Puls_On);  // the same picture again changes nothing
  p.SetVisible(Im_Base, true);
  EXPECT_TRUE(p.TakeDamage().none());
  p.SetVisible(Im_BombP35, true);
  p.SetVisible(Im_BombP35, false);  // shown and hidden again still needs a repaint
  EXPECT_TRUE(p.TakeDamage().test(Im_BombP35));
  p.ClearPicture(Puls_Power);
  EXPECT_EQ(p.Picture(Puls_Power), kNoPicture);
  Panel q;
  EXPECT_FALSE(p == q);
  q.CopyPicture(Im_NumPosPP1, Im_Num7);
  q.CopyPicture(Im_NumPosPP2, Im_Num7);
  EXPECT_TRUE(p == q);
}

TEST(Panel, HiddenComponentsLetTheMouseThrough) {
  Panel p;
  // A score slot lies above the screen's top layer; the top layer above every segment.
  EXPECT_EQ(p.HitTest(90, 200), Im_NumPosPS1);
  EXPECT_EQ(p.HitTest(160, 160), Im_ScreenLeftTop);
  EXPECT_EQ(p.HitTest(60, 330), Puls_PenguinAttack);
  p.SetVisible(Puls_PenguinAttack, false);  // a held key's indicator: the photo takes the press
  EXPECT_EQ(p.HitTest(60, 330), Im_Base);
  EXPECT_EQ(p.HitTest(110, 325), Puls_Power);
  EXPECT_EQ(p.HitTest(741, 10), std::nullopt);
  EXPECT_EQ(p.HitTest(-1, 10), std::nullopt);
}

}  // namespace
}  // namespace floemark::panel
