#pragma once
// The subclass of the active code window: the typing tools and the hot keys see each key before or
// after the editor, and the painter paints after it. One window is hooked at a time.
#include <windows.h>

#include "editor/hot_keys.h"

namespace qv {

// A second hook while one window is hooked is refused. The hot keys of `hot_keys` run as their keys
// are released; the table outlives the hook.
bool HookCodeWindow(HWND window, const HotKeyTable& hot_keys);
// Nothing when `window` is not the hooked one.
void UnhookCodeWindow(HWND window);

}  // namespace qv
