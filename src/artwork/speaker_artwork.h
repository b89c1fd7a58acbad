#pragma once

#include <QPixmap>
#include <QRect>

#include "document/types.h"

// The car seen from above with its eleven speakers, cut into one picture per output for the on
// and the off state. The pictures sit on a grid of 259 x 314 units: a left column 108 wide for
// the left outputs, a middle column 43 wide for the center (full height), a right column 108
// wide for the right outputs, and rows of 33 (high), 49 (mid), 113 (low), 86 (rear) and 33
// (sub-woofer) units.
class SpeakerArtwork {
 public:
  static constexpr int kGridWidth = 259;
  static constexpr int kGridHeight = 314;
  // Pixels per grid unit of the pictures; they are stretched to whatever the form gives them.
  static constexpr int kScale = 3;

  // The output's place on the grid, in units.
  static QRect Cell(OutputChannel channel);
  static QPixmap Tile(OutputChannel channel, bool on);
};
