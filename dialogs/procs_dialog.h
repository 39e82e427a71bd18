#pragma once
// The procedure list "Функции и процедуры": the procedures of the active code pane's module, or of
// every module of the active project, sorted or in module order; going to one moves its module's
// code pane there. Modeless and owned by the host's main window. Its sort and whole-project choices
// and its size persist in the values "Procs.Sort", "Procs.DisplayAll", "Procs.Width" and
// "Procs.Height" (twips).
#include <windows.h>

#include "dialogs/modeless_dialogs.h"

namespace qv {

// Opens the list, or refills the open one.
void ShowProcs(ModelessDialogs& dialogs);

}  // namespace qv
