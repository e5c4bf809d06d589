#pragma once
// The eight tables that group the segments by game element. Indexed by the game's own
// numbers (player 1..2, position 1..5, lane 1..5, cell 0..11), not from 0.
// An entry may be empty; a place outside a table's range reads as empty too, so that a
// handler cut short half-way (a sound error) can never make a primitive reach past a table.

#include <array>

#include "panel/layout.h"
#include "panel/panel.h"

namespace floemark::panel {

// A non-owning reference to one segment, or to none.
using Segment = Component;
inline constexpr Segment kEmpty = kNoPicture;

// An entry of a table: a segment, or kEmpty.
struct SegmentEntry {
  Segment s = kEmpty;
  operator Segment() const { return s; }
  SegmentEntry& operator=(Segment v) {
    s = v;
    return *this;
  }
};

// A table of entries indexed lo..hi; any other index reads as kEmpty.
template <int Lo, int Hi, typename Entry = SegmentEntry>
class Range {
 public:
  const Entry& operator[](int i) const { return InRange(i) ? cells_[i - Lo] : empty_; }
  Entry& Set(int i) { return cells_.at(i - Lo); }
  static constexpr bool InRange(int i) { return i >= Lo && i <= Hi; }

 private:
  std::array<Entry, Hi - Lo + 1> cells_;
  Entry empty_{};
};

struct SegmentTables {
  Range<0, 9> DigitGlyph;                              // [digit]
  Range<1, 2, Range<1, 2, Range<1, 2>>> ScoreSlots;    // [screen][player][digit]
  Range<1, 2, Range<1, 5, Range<0, 2>>> CharSegments;  // [player][position][slot]
  Range<1, 2, Range<2, 4>> WallSegments;               // [screen][lane]
  Range<5, 6, Range<1, 5>> VultureSegments;            // [cell][lane]
  Range<1, 5, Range<0, 11>> BombSegments;              // [lane][cell]
  Range<1, 2, Range<1, 4>> IceSegments;                // [player][position]
  Range<1, 2, Range<1, 3>> LadderSegments;             // [player][height]

  // Fills every table in the order the console's creation handler uses.
  void Fill();
};

}  // namespace floemark::panel
