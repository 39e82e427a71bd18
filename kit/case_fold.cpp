#include "kit/case_fold.h"

#include <algorithm>

namespace qv {
namespace {

bool InRange(wchar_t c, unsigned first, unsigned last) noexcept {
  return static_cast<unsigned>(c) >= first && static_cast<unsigned>(c) <= last;
}

}  // namespace

wchar_t FoldCase(wchar_t c) noexcept {
  const auto in = [c](unsigned first, unsigned last) { return InRange(c, first, last); };
  const auto shifted = [c](unsigned by) { return static_cast<wchar_t>(static_cast<unsigned>(c) + by); };
  if (in(0x41, 0x5A) || (in(0xC0, 0xDE) && c != L'\u00D7') || in(0x410, 0x42F)) return shifted(0x20);
  if (in(0x400, 0x40F)) return shifted(0x50);
  if (c == L'\u0490') return L'\u0491';  // Ґ, the one letter of code page 1251 outside those rows
  return c;
}

wchar_t UpperCase(wchar_t c) noexcept {
  const auto in = [c](unsigned first, unsigned last) { return InRange(c, first, last); };
  const auto shifted = [c](unsigned by) { return static_cast<wchar_t>(static_cast<unsigned>(c) - by); };
  if (in(0x61, 0x7A) || (in(0xE0, 0xFE) && c != L'\u00F7') || in(0x430, 0x44F)) return shifted(0x20);
  if (in(0x450, 0x45F)) return shifted(0x50);
  if (c == L'\u0491') return L'\u0490';
  return c;
}

std::wstring FoldCase(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = FoldCase(c);
  return folded;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) noexcept {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace qv
