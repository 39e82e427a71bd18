#pragma once
// Module and project files as the VB6 IDE writes them: text in the ANSI code page.
#include <string>
#include <string_view>

namespace sbx {

// Reading them is qv::ReadAnsiFile's (win/ansi_file.h).
// Raises qv::VbError 75 when the file cannot be written.
void WriteAnsiFile(const std::wstring& path, std::wstring_view text);

}  // namespace sbx
