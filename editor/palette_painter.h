#pragma once
// The add-in's palette over the first tab of the host's colour popup.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "kit/palette.h"

namespace qv {

// The grey square with the 64 cells of `colors`, in `dc`'s pixels at its pixels per inch. The first
// cell holding `current`, column by column, gets a white frame. Every brush is out of the DC and
// gone when this returns.
void DrawPalette(HDC dc, const PaletteTable& colors, std::optional<std::int32_t> current);

// The host's colour popups one connection paints over.
struct PalettePopups {
  // The tab controls of the host's command-bar popups, found as the add-in starts (0 for a popup
  // without one).
  std::vector<HWND> tabs;
  bool painted = false;  // the colour popup's palette tab showing now has the add-in's grid
};

// Paints the palette over the colour popup's first tab when it shows without it; at each tick.
void PaintPaletteCustomColors(PalettePopups& popups);

}  // namespace qv
