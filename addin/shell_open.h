#pragma once
// Opening a file with its default program.
#include <windows.h>

#include <string>

namespace qv {

// The shell's result is not looked at.
void ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory);

}  // namespace qv
