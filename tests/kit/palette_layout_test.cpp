#include "kit/palette_layout.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PaletteLayoutTest, TheGridFollowsTheScreensPixelsPerInch) {
  const struct {
    int dpi_x, dpi_y;
    PixelRect background;
  } cases[] = {
      {96, 96, {4, 22, 143, 161}},     // 15 twips per pixel: 139 pixels square
      {120, 120, {5, 28, 179, 202}},   // 12: 27.5 goes to the even 28; 173.75 + 5, 173.75 + 28
      {144, 144, {6, 33, 214, 242}},   // 10: 208.5 + 6 goes to the even 214
      {120, 96, {5, 22, 179, 161}},
      {72, 72, {3, 16, 107, 120}},     // 20: 16.5 goes to 16; 104.25 + 3, 104.25 + 16
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.background, PaletteLayout(c.dpi_x, c.dpi_y).Background()) << c.dpi_x << " x " << c.dpi_y;
  }
}

TEST(PaletteLayoutTest, CellsLieOnAPitchOf17AndTheFrameTwoPixelsAroundTheirCell) {
  const PaletteLayout layout(96, 96);
  const struct {
    int column, row;
    PixelRect cell;
  } cases[] = {
      {1, 1, {6, 24, 22, 40}}, {2, 1, {23, 24, 39, 40}}, {1, 2, {6, 41, 22, 57}}, {8, 8, {125, 143, 141, 159}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.cell, layout.Cell(c.column, c.row)) << c.column << ", " << c.row;
    const PixelRect frame{c.cell.left - 2, c.cell.top - 2, c.cell.right + 2, c.cell.bottom + 2};
    EXPECT_EQ(frame, layout.Frame(c.column, c.row));
  }
}

}  // namespace
}  // namespace qv
