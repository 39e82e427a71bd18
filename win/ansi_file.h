#pragma once
// The add-in's list files: 8-bit text in the system's ANSI code page; and files as raw bytes.
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The whole file decoded from the ANSI code page; nullopt when it cannot be read.
std::optional<std::wstring> ReadAnsiFile(const std::wstring& path);

// Writes the text in the ANSI code page, replacing the file. False when it cannot be written.
bool WriteAnsiFile(const std::wstring& path, std::wstring_view text);

// The whole file as it is stored; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// Replaces the file with these bytes. False when it cannot be written, its closing included.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);

// The same through a new file beside the old one, which then takes its place in one step: a failure
// leaves the old file as it was, never a short one.
bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes);
bool ReplaceAnsiFile(const std::wstring& path, std::wstring_view text);

// Creates an empty file where there is none; an existing file is left as it is, unopened. False when
// a missing file cannot be created.
bool CreateIfMissing(const std::wstring& path);

}  // namespace qv
