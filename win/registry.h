#pragma once
// Registry keys, and the text values of the add-in and the installer.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A registry key opened or created through out(), closed when this goes.
class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (handle_) RegCloseKey(handle_);
  }
  HKEY* out() { return &handle_; }
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

// The value as text: REG_SZ up to its first NUL (blank-trimmed when stored without one),
// REG_DWORD as signed decimal, REG_BINARY as the decimal of its first two bytes (signed 16-bit).
// A value that cannot be read gives dflt; another type, or a failing second read, gives "".
std::wstring QueryValue(HKEY key, std::wstring_view valueName, std::wstring_view dflt = {});

// The stored text, or nothing for a missing key or value, an empty text or another type.
// Callers keep their default typed and in sight: `auto v = GetRegValue(...); x = v ? CBool(*v) : true;`
std::optional<std::wstring> GetRegValue(HKEY root, std::wstring_view key, std::wstring_view valueName);

// How a REG_SZ value ends: COM and the hosts read theirs with the terminating NUL counted; the
// add-in's own settings are stored without it (QueryValue trims their blanks).
enum class TextEnd { kNone, kNul };

// Writes REG_SZ, creating the key and its parents; "" names the key's default value. Gives the
// registry's status.
LSTATUS SetRegValue(HKEY root, std::wstring_view key, std::wstring_view valueName, std::wstring_view value,
                    TextEnd end = TextEnd::kNone);

}  // namespace qv
