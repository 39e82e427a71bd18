#pragma once
// The host's message loop never calls IsDialogMessage, so in a modeless dialog of the add-in Enter,
// Esc and Tab would do nothing. While any such dialog exists, a hook of this thread's message
// retrieval hands the dialog's keyboard messages to IsDialogMessage.
#include <windows.h>

namespace qv {

// Call when the modeless dialog is created and when it goes (at WM_DESTROY at the latest). The
// hook is in place while at least one dialog is added.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// Destroys every dialog added: the add-in's shutdown.
void DestroyModelessDialogs();

}  // namespace qv
