#pragma once
// The add-in's start and stop sequences, run at connection and disconnection on the parts given.
#include "library/parts.h"

namespace qv {

// Each step runs even when an earlier one failed; a failure shows its step in a message box.
void StartAddin(Parts& parts);
// Removes everything StartAddin and the connection made; failures are ignored.
void StopAddin(Parts& parts);
void StartMDITabs(Parts& parts);
void StopMDITabs(Parts& parts);

}  // namespace qv
