#pragma once
// The sandbox's window classes, registered in this program once each.
#include <windows.h>

namespace sbx {

// Registers the class unless this program has it already.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style, const wchar_t* cursor, HBRUSH background);

}  // namespace sbx
