#pragma once
// Hot-key texts such as "Ctrl + Shift + '": what the options dialog writes when a key is pressed in
// a hot-key box, and what a key released in the code window is compared with. Both build the text
// here, so every captured text matches its key.
#include <string>
#include <string_view>

namespace qv {

// Held modifiers, as the dialog's key events give them.
enum HotKeyModifier : int { kShiftHeld = 1, kCtrlHeld = 2, kAltHeld = 4 };

// The text that stands for no hot key; it never matches.
inline constexpr std::wstring_view kNoHotKey = L"Нет";

// The key's name in a hot-key text; "" for a key without one (the modifier keys among others).
std::wstring HotKeyName(long key_code);

// "Ctrl + ", "Shift + ", "Alt + " for the held modifiers, in this order, then the key's name; ""
// when the key has no name.
std::wstring HotKeyText(long key_code, int modifiers);

// Whether the binding `setting` is the text of this key with these modifiers (exact, case-sensitive).
bool IsHotKey(std::wstring_view setting, int modifiers, long key_code);

}  // namespace qv
