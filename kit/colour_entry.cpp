#include "kit/colour_entry.h"

#include <algorithm>
#include <cwchar>

#include "kit/vb_convert.h"
#include "kit/vb_error.h"

namespace qv {
namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;

std::optional<double> ValOf(std::wstring_view text) {
  try {
    return Val(text);
  } catch (const VbError&) {
    return std::nullopt;
  }
}

}  // namespace

std::optional<std::int32_t> ColourOfComponents(std::wstring_view red, std::wstring_view green, std::wstring_view blue) {
  std::int32_t colour = 0;
  std::int32_t weight = 1;
  for (const std::wstring_view text : {red, green, blue}) {
    const std::optional<double> value = ValOf(text);
    if (!value) return std::nullopt;
    colour += CLng(std::clamp(*value, 0.0, 255.0)) * weight;
    weight *= 256;
  }
  return colour;
}

std::optional<std::wstring> DecimalOfHex(std::wstring_view hex) {
  const std::optional<double> value = ValOf(hex);
  if (!value) return std::nullopt;
  wchar_t text[32];
  std::swprintf(text, sizeof text / sizeof text[0], L"%.15g", *value);
  return text;
}

std::optional<std::int32_t> ColourOfDecimal(std::wstring_view text) {
  const std::optional<double> value = ValOf(text);
  if (!value || *value < -0.5 || *value >= kWhite + 0.5) return std::nullopt;
  const std::int32_t colour = CLng(*value);
  if (colour < 0 || colour > kWhite) return std::nullopt;
  return colour;
}

}  // namespace qv
