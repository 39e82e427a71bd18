#pragma once
// What a window handle names now. A handle kept for a while may by then name another window, even
// another program's, so it is asked again before each use.
#include <windows.h>

#include <string>

namespace qv {

std::wstring ClassName(HWND window);

// The window is one of this process's: the host's, never another program's.
bool OfThisProcess(HWND window);

}  // namespace qv
