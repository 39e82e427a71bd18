#pragma once
// The add-in's hidden command window: it owns the main loop's timer.
#include <windows.h>

namespace qv {

// The window, created on first use; null when it cannot be created.
HWND MainFormWindow();
// Destroys the window (and with it the timer) if it exists.
void UnloadMainForm();

// The main loop's timer on the hidden window, at the system's shortest period.
void StartMainTimer();
void StopMainTimer();

}  // namespace qv
