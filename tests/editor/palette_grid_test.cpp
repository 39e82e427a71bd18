// The palette drawn into a memory DC: every cell in its colour on the grey square, the frame around
// the first cell of the current colour only, and the DC's own brush selected again afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "editor/palette_painter.h"
#include "tests/editor/palette_pixels.h"
#include "win/gdi_owners.h"

namespace sbx::test {
namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// A 200 by 200 true-colour surface, filled with kUntouched.
class MemorySurface {
 public:
  MemorySurface() : dc_(CreateCompatibleDC(nullptr)), bitmap_(dc_.get(), NewBitmap()) {
    const qv::Brush untouched(CreateSolidBrush(kUntouched));
    const RECT all{0, 0, kSize, kSize};
    FillRect(dc_.get(), &all, untouched.get());
  }
  HDC dc() const { return dc_.get(); }

 private:
  static constexpr int kSize = 200;
  static qv::Bitmap NewBitmap() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    return qv::Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  }
  qv::MemoryDc dc_;
  qv::Selected<HBITMAP> bitmap_;
};

qv::PaletteTable FixedPalette() {
  qv::PaletteTable colors{};
  qv::FillPalette(colors);
  return colors;
}

TEST(PaletteGridTest, CellsHaveTheirColoursAndOnlyTheFirstCellOfTheCurrentColourIsFramed) {
  struct Custom {
    std::size_t column, row;
    std::int32_t colour;
  };
  struct Case {
    std::optional<std::int32_t> current;
    std::vector<Custom> custom;
    std::vector<CellAt> framed;
  };
  const Case cases[] = {
      {std::nullopt, {}, {}},
      {255, {}, {{2, 3}}},             // pure red
      {255, {{3, 7, 255}}, {{2, 3}}},  // a later cell of the same colour stays bare
      {255, {{1, 7, 255}}, {{1, 7}}},  // column by column: (1, 7) comes before (2, 3)
      {qv::kWhite, {}, {{1, 1}}},      // rows 7 and 8 are white too
      {0, {}, {{1, 6}}},
      {0x00FF0000, {}, {{7, 3}}},                       // pure blue
      {static_cast<std::int32_t>(0x8000000F), {}, {}},  // a system colour
      {0x123456, {}, {}},
  };
  for (const Case& c : cases) {
    qv::PaletteTable colors = FixedPalette();
    for (const Custom& custom : c.custom) colors[custom.column][custom.row] = custom.colour;
    const MemorySurface surface;
    qv::DrawPalette(surface.dc(), colors, c.current);
    const auto current = c.current ? *c.current : -1;
    EXPECT_EQ(c.framed, FramedCells(surface.dc())) << "current " << std::hex << current;
    for (int column = 1; column <= 8; ++column) {
      for (int row = 1; row <= 8; ++row) {
        EXPECT_EQ(colors[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)],
                  CellColour(surface.dc(), column, row))
            << "cell (" << column << ", " << row << "), current " << std::hex << current;
      }
    }
  }
}

TEST(PaletteGridTest, TheGreySquareEndsBesideTheLastCell) {
  const MemorySurface surface;
  qv::DrawPalette(surface.dc(), FixedPalette(), std::nullopt);
  const qv::PixelRect square = LayoutOf(surface.dc()).Background();
  struct Case {
    int x, y;
    COLORREF expected;
  };
  const Case cases[] = {
      {square.left + 1, square.top + 1, kGrey},
      {square.right - 2, square.bottom - 2, kGrey},
      {square.right, square.bottom, kUntouched},
      {square.left - 1, square.top, kUntouched},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, GetPixel(surface.dc(), c.x, c.y)) << c.x << ", " << c.y;
}

TEST(PaletteGridTest, TheDcHasItsOwnBrushBackAfterDrawing) {
  const MemorySurface surface;
  const qv::Brush own(CreateSolidBrush(RGB(9, 9, 9)));
  const qv::DcSelection selected(surface.dc(), own.get());
  qv::DrawPalette(surface.dc(), FixedPalette(), 255);
  EXPECT_EQ(own.get(), GetCurrentObject(surface.dc(), OBJ_BRUSH));
}

}  // namespace
}  // namespace sbx::test
