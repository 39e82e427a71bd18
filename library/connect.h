#pragma once
// The add-in's one creatable class, through which the host connects and disconnects it.
#include <windows.h>

namespace qv {

// A new Connect object answering `iid`, as the class factory hands it out.
HRESULT CreateConnect(REFIID iid, void** out);

}  // namespace qv
