#pragma once
// The palette read back from a DC it was drawn into: a cell's colour and whether its frame shows.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "kit/palette_layout.h"

namespace sbx::test {

inline qv::PaletteLayout LayoutOf(HDC dc) { return {GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY)}; }

inline POINT CellMiddle(HDC dc, int column, int row) {
  const qv::PixelRect cell = LayoutOf(dc).Cell(column, row);
  return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

// As the palette table stores colours.
inline std::int32_t CellColour(HDC dc, int column, int row) {
  const POINT middle = CellMiddle(dc, column, row);
  return static_cast<std::int32_t>(GetPixel(dc, middle.x, middle.y));
}

struct CellAt {
  int column = 0;
  int row = 0;
  bool operator==(const CellAt&) const = default;
};

// Cells whose gaps are white on all four sides; a neighbour of a framed cell has white on one side.
inline std::vector<CellAt> FramedCells(HDC dc) {
  const qv::PaletteLayout layout = LayoutOf(dc);
  std::vector<CellAt> framed;
  for (int column = 1; column <= 8; ++column) {
    for (int row = 1; row <= 8; ++row) {
      const qv::PixelRect cell = layout.Cell(column, row);
      const POINT middle = CellMiddle(dc, column, row);
      const POINT gaps[] = {
          {cell.left - 1, middle.y}, {cell.right, middle.y}, {middle.x, cell.top - 1}, {middle.x, cell.bottom}};
      if (std::ranges::all_of(gaps, [&](POINT gap) { return GetPixel(dc, gap.x, gap.y) == RGB(255, 255, 255); })) {
        framed.push_back({column, row});
      }
    }
  }
  return framed;
}

}  // namespace sbx::test
