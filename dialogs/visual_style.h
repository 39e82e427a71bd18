#pragma once
// The host's visual style: an application manifest beside the host program that asks for the
// common controls, version 6. A change takes effect when the host next starts. SetIDEStyle
// applies the options dialog's choice to the running host.
#include <windows.h>

#include <string>

namespace qv {

// The program and the host it is: the manifest is its path followed by ".MANIFEST".
struct StyledHost {
  bool is_vba;
  std::wstring exe_path;
};

// The running program's path: the VBA editor's host.
std::wstring GetHostExePath();

// 1 when the manifest exists and, in the VBA editor, asks for the common controls; else 0.
short IDEStyleOf(const StyledHost& host);
short GetIDEStyle();

// Brings the manifest to `style` (0 off, 1 on) and tells the user in a box owned by `owner`; nothing
// when it holds already. A file that cannot be read, written or deleted raises VbError 75.
void SetIDEStyleOf(const StyledHost& host, long style, HWND owner);
// The running host's, for a dialog that owns the box.
void SetIDEStyle(long style, HWND owner);

}  // namespace qv
