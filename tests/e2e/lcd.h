#pragma once
// Reads the console's LCD from the X server, segment by segment: a segment counts as shown when
// (nearly) all of the pixels that only it can blacken are dark in the window's image.

#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "panel/layout.h"
#include "panel/segment_tables.h"

// The X types, without the X headers' macros that clash with the panel's names.
struct _XDisplay;

namespace floemark::e2e {

using XDisplay = ::_XDisplay;
using XWindow = unsigned long;

using panel::Component;

class Lcd {
 public:
  Lcd(XDisplay* display, XWindow window, const std::string& assets_dir);

  // Reads the window's pixels; false when the window cannot be read.
  bool Grab();
  // Reads the LCD from a picture of the console's client area, at least 741 x 388 (a
  // compositor's screenshot cut at the console's place). No display is needed for it.
  void Read(const QImage& console);
  bool Shown(Component c) const { return shown_[c]; }
  // The score shown for player (1 penguin, 2 seal) on screen (1 penguin's, 2 seal's):
  // 0..99, -1 for a blank place, -2 when a digit place cannot be read.
  int Score(int screen, int player) const;
  // The position 1..5 whose body segment shows, 0 for none, -1 for more than one.
  int Position(int player) const;
  // Lanes 2..4 and the cell 1..10 of every rolling bomb picture shown.
  std::vector<std::pair<int, int>> Bombs() const;
  bool Exploded() const;  // an explosion or a loss picture shows
  std::vector<Component> Visible() const;
  // The two LCD screens as one string of pixel values, to see whether anything changed.
  std::string ScreenPixels() const;
  const QImage& Image() const { return image_; }
  // "P=15 15 S=15 15 pos=4 2 | Im_... Im_..."
  std::string Describe() const;

 private:
  struct Segment {
    std::vector<std::pair<int, int>> probes;  // window coordinates of the exclusive pixels
  };
  bool Dark(int x, int y) const;
  int Digit(Component slot) const;  // 0..9, -1 blank, -2 unreadable

  XDisplay* display_;
  XWindow window_;
  std::vector<Segment> segments_;                         // by component, empty if not LCD
  std::vector<std::vector<std::pair<int, int>>> glyphs_;  // digit -> black pixels (glyph coords)
  std::vector<bool> shown_;
  QImage image_;
};

// The game's own segment tables, filled once.
const panel::SegmentTables& Tables();

}  // namespace floemark::e2e
