#pragma once
// The shell's folder-selection dialog, for the options dialog's folders and the setup program's
// install folder. Nothing here depends on the add-in.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

// The text before the first NUL; the whole text when it has none.
std::wstring tsTrimNull(std::wstring_view text);

// The chosen folder's file-system path, without a trailing backslash unless it is a drive's root;
// "" when the user cancels or chooses a folder that is not in the file system. A start folder roots
// the tree, so that only it and its subfolders can be chosen; one that does not exist leaves the
// desktop as the root. `flags`: BROWSEINFO's ulFlags.
std::wstring tsGetPathFromUser(HWND owner, UINT flags, std::wstring_view title, std::wstring_view start_folder);

// The options dialog's choice of a folder, starting at `dflt`: `dflt` when the user cancels, else
// the path with exactly one trailing backslash.
std::wstring GetDir(HWND owner, std::wstring_view caption, std::wstring_view dflt);

}  // namespace qv
