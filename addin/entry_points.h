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
// The code-window subclass's own steps, which UnhookCodePane and HookCodePane reach. A second hook
// while one window is hooked is refused; unhooking a window that is not hooked does nothing.
bool HookCodeWindow(HWND window);
void UnhookCodeWindow(HWND window);
void InitTabs();
void SetTabPosition(long position);  // 0 top, 1 bottom
void AttachTabs(HWND window);
void DetachTabs();
void TerminateTabs();
// The tab strip's own steps, which the five above reach.
void InitTabStrip();
void SetTabStripPosition(long position);
void AttachTabStrip(HWND window);
void DetachTabStrip();
void TerminateTabStrip();
void SetIDEStyle(long style);
// The options dialog: modal from the menu, modeless (without an owner form) for an external start.
// A modal dialog is owned by State().hWndMain, so that it blocks the editor until it closes.
void ShowOptions(bool modal);
void ShowAbout();         // modeless
void ShowDeclarations();  // modal, owned by State().hWndMain
void ShowProcs();
// Unloads every dialog form that is loaded.
void UnloadDialogs();
// The work of one timer tick.
void TimerTick();

// Code-window subclass, wheel, palette, tab strip and includes, as the timer drives them.
void HookCodePane(HWND window);
void WheelPoll();
void PaintPaletteCustomColors();
void RefreshTabs();
// Refreshes the tab strip when the MDI client's active child changed without telling it (a click
// into a document window, Ctrl+F6).
void FollowActiveTab();
void ProcessIncludes();
// Empties the include tables when another code window becomes the active one.
void ClearIncludes();

// Code tools started from the toolbar.
void BackupProject();

}  // namespace qv
