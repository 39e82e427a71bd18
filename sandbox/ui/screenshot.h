#pragma once
// A screenshot of one window as it was drawn, children included, written as a PNG file.
#include <windows.h>

#include <string>

namespace sbx {

// False when the window cannot be captured or the file cannot be written.
bool SaveWindowPng(HWND window, const std::wstring& path);

}  // namespace sbx
