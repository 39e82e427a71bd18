#pragma once
// The add-in's message box, with the library's title. A dialog owns the boxes it shows, so that the
// box disables it until answered; other boxes are owned by the host's main window.
#include <windows.h>

#include <string_view>

namespace qv {

// The button pressed.
int AppMessage(HWND owner, std::wstring_view text, UINT style);

}  // namespace qv
