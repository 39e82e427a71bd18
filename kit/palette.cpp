#include "kit/palette.h"

#include <optional>

#include "kit/vb_convert.h"
#include "kit/vb_error.h"

namespace qv {
namespace {

constexpr std::int32_t Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

constexpr std::int32_t kFixedRows[6][8] = {
    {Rgb(255, 255, 255), Rgb(255, 192, 192), Rgb(255, 224, 192), Rgb(255, 255, 192), Rgb(192, 255, 192),
     Rgb(192, 255, 255), Rgb(192, 192, 255), Rgb(255, 192, 255)},
    {Rgb(224, 224, 224), Rgb(255, 128, 128), Rgb(255, 192, 128), Rgb(255, 255, 128), Rgb(128, 255, 128),
     Rgb(128, 255, 255), Rgb(128, 128, 255), Rgb(255, 128, 255)},
    {Rgb(192, 192, 192), Rgb(255, 0, 0), Rgb(255, 128, 0), Rgb(255, 255, 0), Rgb(0, 255, 0), Rgb(0, 255, 255),
     Rgb(0, 0, 255), Rgb(255, 0, 255)},
    {Rgb(128, 128, 128), Rgb(192, 0, 0), Rgb(192, 64, 0), Rgb(192, 192, 0), Rgb(0, 192, 0), Rgb(0, 192, 192),
     Rgb(0, 0, 192), Rgb(192, 0, 192)},
    {Rgb(64, 64, 64), Rgb(128, 0, 0), Rgb(128, 64, 0), Rgb(128, 128, 0), Rgb(0, 128, 0), Rgb(0, 128, 128),
     Rgb(0, 0, 128), Rgb(128, 0, 128)},
    {Rgb(0, 0, 0), Rgb(64, 0, 0), Rgb(128, 64, 64), Rgb(64, 64, 0), Rgb(0, 64, 0), Rgb(0, 64, 64), Rgb(0, 0, 64),
     Rgb(64, 0, 64)},
};

// The part's number rounded to 32 bits; white when there is none or it does not fit.
std::int32_t ColourOf(std::wstring_view part) {
  const std::optional<double> number = LeadingNumber(part);
  if (!number) return kWhite;
  try {
    return CLng(*number);
  } catch (const VbError&) {
    return kWhite;
  }
}

}  // namespace

void FillPalette(PaletteTable& PaletteColors) {
  for (std::size_t row = 1; row <= 8; ++row) {
    for (std::size_t column = 1; column <= 8; ++column) {
      PaletteColors[column][row] = row <= 6 ? kFixedRows[row - 1][column - 1] : kWhite;
    }
  }
}

std::optional<std::int32_t> PropertyColour(std::wstring_view text) {
  if (text.empty()) return std::nullopt;
  try {
    return CLng(Val(text));
  } catch (const VbError&) {
    return std::nullopt;
  }
}

void SetCustomColors(PaletteTable& PaletteColors, std::wstring_view CustomColorsValue) {
  std::wstring_view rest = CustomColorsValue;
  bool parts_left = true;
  for (std::size_t row = 7; row <= 8; ++row) {
    for (std::size_t column = 1; column <= 8; ++column) {
      std::wstring_view part;
      if (parts_left) {
        const std::size_t blank = rest.find(L' ');
        part = rest.substr(0, blank);
        parts_left = blank != std::wstring_view::npos;
        if (parts_left) rest.remove_prefix(blank + 1);
      }
      PaletteColors[column][row] = ColourOf(part);
    }
  }
}

}  // namespace qv
