#pragma once
// The host's message loop: the MDI system keys (Ctrl+F4, Ctrl+F6) of the MDI client a key goes to,
// then TranslateMessage and DispatchMessage. Thread timer messages (no window) are dispatched too,
// which is how the add-in's timer runs.
#include <windows.h>

#include <functional>

namespace sbx {

// Dispatches what is queued now. False once WM_QUIT was taken; it is posted again for the outer loop.
bool PumpPending();
// Dispatches messages for a time, or until WM_QUIT.
void PumpFor(DWORD milliseconds);
// Dispatches messages until done() or the time is up (or WM_QUIT); gives done()'s last value.
bool PumpUntil(DWORD milliseconds, const std::function<bool()>& done);
// Runs until WM_QUIT and gives its exit code.
int RunMessageLoop();

}  // namespace sbx
