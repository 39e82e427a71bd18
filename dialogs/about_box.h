#pragma once
// The About box: the product, the acknowledgements and the library's version. Shown modeless, one
// at a time.
#include <windows.h>

#include <string>

#include "dialogs/modeless_dialogs.h"

namespace qv {

// "Версия: " and the major, minor and revision numbers of the module's file version, without
// leading zeros; "" when the module has no version resource.
std::wstring VersionLine(HMODULE module);

// Shows the box, owned by the host's main window, or brings the open one forward.
void ShowAbout(ModelessDialogs& dialogs);
// Unloads every modeless dialog that is loaded: the About box and the options dialog of an external
// start.
void UnloadDialogs(ModelessDialogs& dialogs);

}  // namespace qv
