#pragma once
// Per-user registration: the class and its ProgID, and the host's add-in entry. The host loads
// the add-in from the entry (LoadBehavior 3: connected, loaded at start-up) and may start it from
// its command line when CommandLineSafe is 1.
#include <windows.h>

namespace qv {

HRESULT RegisterAddin(HMODULE module);
// Removes exactly what RegisterAddin wrote.
HRESULT UnregisterAddin();

}  // namespace qv
