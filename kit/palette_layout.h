#pragma once
// Where the palette painter draws in the colour popup's tab control, in its client pixels: the
// positions are twips of the popup's design, converted at the screen's pixels per inch.
#include "kit/pixel_rect.h"

namespace qv {

class PaletteLayout {
 public:
  PaletteLayout(int dpi_x, int dpi_y);

  // The grey square behind the cells.
  PixelRect Background() const { return background_; }
  // The 16 by 16 cell of column and row 1 to 8, on a pitch of 17.
  PixelRect Cell(int column, int row) const;
  // The white frame around a cell, 2 pixels wider on each side (the cell covers its middle).
  PixelRect Frame(int column, int row) const;

 private:
  PixelRect background_;
};

}  // namespace qv
