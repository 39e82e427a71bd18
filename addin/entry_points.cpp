// Entry points of parts not built yet do nothing; a test build records every call.
#include "addin/entry_points.h"

#include "addin/includes.h"
#include "win/failure_log.h"

#ifdef QV_RECORD_ENTRY_POINTS
#include "addin/entry_point_log.h"
#else
namespace qv {
template <class... Args>
void RecordEntryPoint(const Args&...) {}
}  // namespace qv
#endif

namespace qv {

void UnhookCodePane(HWND window) {
  RecordEntryPoint(L"UnhookCodePane", window);
  UnhookCodeWindow(window);
}
void InitTabs() {
  RecordEntryPoint(L"InitTabs");
  InitTabStrip();
}
void SetTabPosition(long position) {
  RecordEntryPoint(L"SetTabPosition", position);
  SetTabStripPosition(position);
}
void AttachTabs(HWND window) {
  RecordEntryPoint(L"AttachTabs", window);
  AttachTabStrip(window);
}
void DetachTabs() {
  RecordEntryPoint(L"DetachTabs");
  DetachTabStrip();
}
void TerminateTabs() {
  RecordEntryPoint(L"TerminateTabs");
  TerminateTabStrip();
}

void HookCodePane(HWND window) {
  RecordEntryPoint(L"HookCodePane", window);
  if (!HookCodeWindow(window)) RecordFailure(L"HookCodePane", L"the code window was not hooked");
}
void ProcessIncludes() {
  RecordEntryPoint(L"ProcessIncludes");
  RunIncludePass();
}
void ClearIncludes() {
  RecordEntryPoint(L"ClearIncludes");
  ClearIncludeTables();
}

// The recording libraries record these in place of the dialogs, the host's style and the backup.
#ifdef QV_RECORD_ENTRY_POINTS
void SetIDEStyle(long style) { RecordEntryPoint(L"SetIDEStyle", style); }
void ShowOptions(bool modal) { RecordEntryPoint(modal ? L"ShowOptions(modal)" : L"ShowOptions"); }
void ShowAbout() { RecordEntryPoint(L"ShowAbout"); }
void ShowProcs() { RecordEntryPoint(L"ShowProcs"); }
void ShowDeclarations() { RecordEntryPoint(L"ShowDeclarations"); }
void UnloadDialogs() { RecordEntryPoint(L"UnloadDialogs"); }
void BackupProject() { RecordEntryPoint(L"BackupProject"); }
#endif

}  // namespace qv
