#pragma once
// The add-in's folder and file tests.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// Folder of the module that holds this code (the add-in library), with exactly one trailing "\".
std::wstring AppPath();

// True when the path names a file that can be opened for reading; folders and empty paths give false.
bool FileExists(std::wstring_view path);

// The name of the file `path` names, as the file system spells it; nullopt for a folder, a missing
// file and a path with wildcards (which a directory lookup would expand).
std::optional<std::wstring> FoundFileName(std::wstring_view path);

// Full file name of a loaded module; "" when it cannot be had.
std::wstring ModuleFileName(HMODULE module);

}  // namespace qv
