#pragma once
// The state of the keyboard as the add-in tests it.
#include <windows.h>

#include "kit/hot_key.h"

namespace qv {

// Ctrl is held now; the low bit of GetAsyncKeyState means "pressed since the last call" and is not
// looked at.
inline bool CtrlIsDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

// The modifiers held as of the key message being handled (the thread's key state, not the state
// now), as a hot-key mask.
inline int HeldModifiers() {
  int held = 0;
  if (GetKeyState(VK_SHIFT) < 0) held |= kShiftHeld;
  if (GetKeyState(VK_CONTROL) < 0) held |= kCtrlHeld;
  if (GetKeyState(VK_MENU) < 0) held |= kAltHeld;
  return held;
}

// Whether a key sent now would combine with a modifier: one is held as of the message or now.
inline bool ModifierDown() {
  for (const int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN}) {
    if (GetKeyState(key) < 0 || (GetAsyncKeyState(key) & 0x8000) != 0) return true;
  }
  return false;
}

}  // namespace qv
