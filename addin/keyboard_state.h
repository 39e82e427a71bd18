#pragma once
// The state of the keyboard as the add-in tests it.
#include <windows.h>

namespace qv {

// Ctrl is held now; the low bit of GetAsyncKeyState means "pressed since the last call" and is not
// looked at.
inline bool CtrlIsDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace qv
