#pragma once
// What the start and stop sequences call in the rest of the add-in: the command bars, the wheel
// hook, the code-window subclass, the tab strip, the host's visual style, the dialogs and the
// timer's work. Each call reaches the part that does it once that part is linked in.
#include <windows.h>

namespace qv {

void AddCommandBarButtons();
// The hidden command window's unload: saves the toolbar position, deletes the controls it made.
void RemoveCommandBarButtons();
void HookWheel(HWND window);
void UnhookWheel(HWND window);
bool WheelHooked();
void UnhookCodePane(HWND window);
void InitTabs();
void SetTabPosition(long position);  // 0 top, 1 bottom
void AttachTabs(HWND window);
void DetachTabs();
void TerminateTabs();
void SetIDEStyle(long style);
// The options dialog, modeless, without an owner form.
void ShowOptions();
// Unloads every dialog form that is loaded.
void UnloadDialogs();
// The work of one timer tick.
void TimerTick();

}  // namespace qv
