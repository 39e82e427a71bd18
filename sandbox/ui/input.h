#pragma once
// Test input through the system's input queue (SendInput), as a user's keys and mouse arrive: keys
// to the window that has the focus, the mouse to the window under it. Each call returns once the
// input has been processed.
#include <windows.h>

#include <string_view>

namespace sbx {

enum KeyModifiers : unsigned { kNoModifiers = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// ASCII characters that the keyboard layout gives with at most Shift go as their virtual keys, so the
// receiver sees the real WM_KEYDOWN codes; all others (Cyrillic, and what VkKeyScan cannot place) go
// as Unicode packets (WM_KEYDOWN VK_PACKET). For a key the layout must give, use SendKey.
void SendText(std::wstring_view text);

// Presses and releases `key` while holding the modifiers.
void SendKey(WORD key, unsigned modifiers = kNoModifiers);

// Moves the mouse to the screen point, then presses or releases the left button there.
void SendMouseButton(POINT screen, bool down);
// Moves the mouse to the screen point and clicks the left button there.
void SendClick(POINT screen);

}  // namespace sbx
