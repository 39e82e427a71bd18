#pragma once
// Registry text values of the add-in and the installer.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// The value as text: REG_SZ up to its first NUL (blank-trimmed when stored without one),
// REG_DWORD as signed decimal, REG_BINARY as the decimal of its first two bytes (signed 16-bit).
// A value that cannot be read gives dflt; another type, or a failing second read, gives "".
std::wstring QueryValue(HKEY key, std::wstring_view valueName, std::wstring_view dflt = {});

// The stored text, or nothing for a missing key or value, an empty text or another type.
// Callers keep their default typed and in sight: `auto v = GetRegValue(...); x = v ? CBool(*v) : true;`
std::optional<std::wstring> GetRegValue(HKEY root, std::wstring_view key, std::wstring_view valueName);

// Writes REG_SZ without a terminating NUL, creating the key and its parents; failures are silent.
void SetRegValue(HKEY root, std::wstring_view key, std::wstring_view valueName, std::wstring_view value);

}  // namespace qv
