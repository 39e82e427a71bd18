#include "kit/palette_layout.h"

#include <cmath>

namespace qv {
namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kOriginX = 60, kOriginY = 330, kBackgroundSize = 2085;  // twips
constexpr int kCellSize = 16, kPitch = 17, kInset = 2;

// Twips to pixels, halves to even as the popup's design converts them.
int Pixels(double twips, int dpi) { return static_cast<int>(std::lrint(twips / (kTwipsPerInch / dpi))); }

}  // namespace

PaletteLayout::PaletteLayout(int dpi_x, int dpi_y) {
  const int x0 = Pixels(kOriginX, dpi_x);
  const int y0 = Pixels(kOriginY, dpi_y);
  // The size is added to the origin before the conversion.
  background_ = {x0, y0, static_cast<int>(std::lrint(kBackgroundSize / (kTwipsPerInch / dpi_x) + x0)),
                 static_cast<int>(std::lrint(kBackgroundSize / (kTwipsPerInch / dpi_y) + y0))};
}

PixelRect PaletteLayout::Cell(int column, int row) const {
  const int x = background_.left + kInset + (column - 1) * kPitch;
  const int y = background_.top + kInset + (row - 1) * kPitch;
  return {x, y, x + kCellSize, y + kCellSize};
}

PixelRect PaletteLayout::Frame(int column, int row) const {
  const PixelRect cell = Cell(column, row);
  return {cell.left - kInset, cell.top - kInset, cell.right + kInset, cell.bottom + kInset};
}

}  // namespace qv
