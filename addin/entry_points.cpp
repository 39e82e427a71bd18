// Until each part is built, its entry points do nothing; a test build records the calls.
#include "addin/entry_points.h"

#ifdef QV_RECORD_ENTRY_POINTS
#include "addin/entry_point_log.h"
#else
namespace qv {
template <class... Args>
void RecordEntryPoint(const Args&...) {}
}  // namespace qv
#endif

namespace qv {

void UnhookCodePane(HWND window) { RecordEntryPoint(L"UnhookCodePane", window); }
void InitTabs() { RecordEntryPoint(L"InitTabs"); }
void SetTabPosition(long position) { RecordEntryPoint(L"SetTabPosition", position); }
void AttachTabs(HWND window) { RecordEntryPoint(L"AttachTabs", window); }
void DetachTabs() { RecordEntryPoint(L"DetachTabs"); }
void TerminateTabs() { RecordEntryPoint(L"TerminateTabs"); }
void SetIDEStyle(long style) { RecordEntryPoint(L"SetIDEStyle", style); }
void ShowOptions(bool modal) { RecordEntryPoint(modal ? L"ShowOptions(modal)" : L"ShowOptions"); }
void ShowAbout() { RecordEntryPoint(L"ShowAbout"); }
void ShowDeclarations() { RecordEntryPoint(L"ShowDeclarations"); }
void ShowProcs() { RecordEntryPoint(L"ShowProcs"); }
void UnloadDialogs() { RecordEntryPoint(L"UnloadDialogs"); }

void HookCodePane(HWND window) { RecordEntryPoint(L"HookCodePane", window); }
void PaintPaletteCustomColors() {}
void RefreshTabs() {}
void ProcessIncludes() { RecordEntryPoint(L"ProcessIncludes"); }
void ClearIncludes() { RecordEntryPoint(L"ClearIncludes"); }

void AddLineNumbers(long StartNumber, long FirstLine, long LastLine, bool ShiftCaret, bool UseSkipList) {
  RecordEntryPoint(L"AddLineNumbers", StartNumber);
  RecordEntryPoint(L"  FirstLine", FirstLine);
  RecordEntryPoint(L"  LastLine", LastLine);
  RecordEntryPoint(L"  ShiftCaret", ShiftCaret ? 1L : 0L);
  RecordEntryPoint(L"  UseSkipList", UseSkipList ? 1L : 0L);
}
void RemoveLineNumbers() { RecordEntryPoint(L"RemoveLineNumbers"); }
void BackupProject() { RecordEntryPoint(L"BackupProject"); }
void AddErrorHandler(const std::wstring& Template) { RecordEntryPoint((L"AddErrorHandler " + Template).c_str()); }
void DeleteErrorHandler(long Line, long OnErrorLine) {
  RecordEntryPoint(L"DeleteErrorHandler", Line);
  RecordEntryPoint(L"  OnErrorLine", OnErrorLine);
}

}  // namespace qv
