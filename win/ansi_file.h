#pragma once
// The add-in's list files: 8-bit text in the system's ANSI code page.
#include <optional>
#include <string>

namespace qv {

// The whole file decoded from the ANSI code page; nullopt when it cannot be read.
std::optional<std::wstring> ReadAnsiFile(const std::wstring& path);

// Creates an empty file where there is none, as opening it for appending does; an existing file is
// left as it is. False when it cannot be created.
bool CreateIfMissing(const std::wstring& path);

}  // namespace qv
