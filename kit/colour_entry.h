#pragma once
// The colour dialog's three notations of a COLORREF-layout colour (0x00BBGGRR, red low): red, green
// and blue boxes, a hexadecimal box ("&H..."), and the decimal box that the preview follows. Each
// reads its text by the edited language's Val.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// red + 256 green + 65536 blue, each component rounded half to even and held to 0..255; nullopt
// when a component cannot be read.
std::optional<std::int32_t> ColourOfComponents(std::wstring_view red, std::wstring_view green, std::wstring_view blue);

// The decimal text of the hexadecimal box's number (&HFFFF is -1, FF without the prefix 0); nullopt
// when the number does not fit, and the decimal box stays as it was.
std::optional<std::wstring> DecimalOfHex(std::wstring_view hex);

// The colour of the decimal box's number rounded to a whole number; nullopt when that is no colour
// (negative, above &HFFFFFF or not a 32-bit number), and the preview stays as it was.
std::optional<std::int32_t> ColourOfDecimal(std::wstring_view text);

}  // namespace qv
