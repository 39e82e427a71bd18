#pragma once
// The palette painter's 8 by 8 colour table: rows 1 to 6 fixed, rows 7 and 8
// the host's sixteen custom colours. Colours are red + 256 green + 65536 blue.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// Indexed [column][row], each 1 to 8; index 0 is not used.
using PaletteTable = std::array<std::array<std::int32_t, 9>, 9>;

constexpr std::int32_t kWhite = 0xFFFFFF;

// The host's "CustomColors" when it has none stored: sixteen white cells, each followed by a blank.
constexpr std::wstring_view kWhiteCustomColors =
    L"16777215 16777215 16777215 16777215 16777215 16777215 16777215 16777215 "
    L"16777215 16777215 16777215 16777215 16777215 16777215 16777215 16777215 ";

// The fixed rows, and white in rows 7 and 8.
void FillPalette(PaletteTable& PaletteColors);

// Rows 7 and 8 from the host's "CustomColors" text: sixteen decimal numbers
// each followed by one blank, filling row 7 then row 8. A missing part, or
// one that is not a number that fits, leaves its cell white.
void SetCustomColors(PaletteTable& PaletteColors, std::wstring_view CustomColorsValue);

// The colour a property's value text stands for, read as Val and rounded to 32 bits: "&H000000FF&"
// is 255, a system colour such as "&H8000000F&" negative. Nothing for an empty text or a number
// too large, which match no cell.
std::optional<std::int32_t> PropertyColour(std::wstring_view text);

}  // namespace qv
