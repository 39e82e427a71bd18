#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

// Only blanks (U+0020) are trimmed; TABs stay.
std::wstring TrimBlanks(std::wstring_view text);
std::wstring LTrimBlanks(std::wstring_view text);
std::wstring RTrimBlanks(std::wstring_view text);
// How many blanks the text starts with.
std::size_t LeadingBlanks(std::wstring_view text) noexcept;

// Exact letter case.
bool StartsWith(std::wstring_view text, std::wstring_view prefix) noexcept;
bool EndsWith(std::wstring_view text, std::wstring_view suffix) noexcept;

// Line n (1-based) of text whose lines end in CR LF, or, when there is no
// CR LF, in CR and a blank; "" past the last line and for empty text.
// VbError 5 for n below 1.
std::wstring GetTextLine(std::wstring_view text, long n);

// The part of path before its last '\'; "" when there is none.
std::wstring GetDirectory(std::wstring_view path);

}  // namespace qv
