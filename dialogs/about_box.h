#pragma once
// The About box: the product, the acknowledgements and the library's version. Shown modeless by
// ShowAbout (addin/entry_points.h), one at a time.
#include <windows.h>

#include <string>

namespace qv {

// "Версия: " and the major, minor and revision numbers of the module's file version, without
// leading zeros; "" when the module has no version resource.
std::wstring VersionLine(HMODULE module);

// The open About box; null when there is none.
HWND AboutWindow();

}  // namespace qv
