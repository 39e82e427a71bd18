#pragma once
// The module (program or library) this code is linked into.
#include <windows.h>

namespace qv {

// Found from an address inside the module, so a library gets itself, not the program that loaded it.
HMODULE ThisModule();

}  // namespace qv
