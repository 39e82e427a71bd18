#pragma once
// What one wheel message does to the host's windows: a code pane moves its first visible line, a
// tool window gets line messages for each of its vertical scroll bars.
#include <windows.h>

namespace qv {

// The window lives on this thread: the host's, never another program's.
bool OfThisThread(HWND window);

// Moves the active code pane by one wheel message's step, whatever its delta.
void ScrollActivePane(WPARAM wparam);

// Posts the line messages of `notches` to `target`, one series per visible vertical scroll bar
// among its descendants (a bar's own handle in lParam). Nothing for no target, a window of
// another thread, or the MDI client, whose documents would all scroll at once.
void PostLineScrolls(HWND target, long notches);

}  // namespace qv
