#pragma once
// The add-in's message box: owned by the host's main window, with the library's title.
#include <windows.h>

#include <string_view>

namespace qv {

// The button pressed.
int AppMessage(std::wstring_view text, UINT style);

}  // namespace qv
