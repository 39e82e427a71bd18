#include "addin/shell_open.h"

#include <shellapi.h>

#ifdef QV_RECORD_ENTRY_POINTS
#include "addin/entry_point_log.h"
#endif

namespace qv {

void ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) {
#ifdef QV_RECORD_ENTRY_POINTS
  RecordEntryPoint(L"ShellExecute", window);
  RecordEntryPoint((L"  " + file).c_str());
  RecordEntryPoint((L"  " + directory).c_str());
#else
  ShellExecuteW(window, nullptr, file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
#endif
}

}  // namespace qv
