#pragma once

#include <string>
#include <string_view>

namespace qv {

// Lower-cases Latin, Latin-1 and Cyrillic capitals; the C locale plays no part,
// so the result is the same on every machine and code page.
wchar_t FoldCase(wchar_t c) noexcept;
std::wstring FoldCase(std::wstring_view text);
// The capital of a letter FoldCase lower-cases; other characters stay.
wchar_t UpperCase(wchar_t c) noexcept;
bool EqualsNoCase(std::wstring_view a, std::wstring_view b) noexcept;

}  // namespace qv
