#pragma once
// The add-in's start and stop sequences, run at connection and disconnection.

namespace qv {

// Each step runs even when an earlier one failed; a failure shows its step in a message box.
void StartAddin();
// Removes everything StartAddin and the connection made; failures are ignored.
void StopAddin();
void StartMDITabs();
void StopMDITabs();

}  // namespace qv
