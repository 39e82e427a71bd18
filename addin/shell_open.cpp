#include "addin/shell_open.h"

#include <shellapi.h>

namespace qv {

void ShellOpen(HWND window, const std::wstring& file, const std::wstring& directory) {
  ShellExecuteW(window, nullptr, file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
}

}  // namespace qv
