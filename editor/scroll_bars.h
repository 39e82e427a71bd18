#pragma once
// The host's scroll bars told apart by style alone: not all of them are of the class "ScrollBar".
#include <windows.h>

namespace qv {

// SBS_VERT in the style; with `check_visible` also WS_VISIBLE. False for a window that is gone.
bool IsVertScrollBar(HWND window, bool check_visible);
// A visible bar that is neither vertical nor a size box.
bool IsHorzScrollBar(HWND window);

}  // namespace qv
