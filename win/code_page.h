#pragma once
// Text for the world outside UTF-16: files, the clipboard and messages in a code page of their own.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// `text` in `code_page`; a character with no place there becomes the code page's stand-in.
std::string NarrowText(UINT code_page, std::wstring_view text);

// The same, or nothing when a character has no exact place there: the stand-in, or a letter that
// only looks alike, could name another file.
std::optional<std::string> ExactNarrowText(UINT code_page, std::wstring_view text);

}  // namespace qv
