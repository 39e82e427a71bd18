#pragma once
// The wheel in MDI mode: a hook of the host's main window turns each wheel message it sees into
// scrolling of the window the user means.
#include <windows.h>

namespace qv {

void HookWheel(HWND main);
void UnhookWheel(HWND main);
bool WheelHooked();

}  // namespace qv
