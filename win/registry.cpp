#include "win/registry.h"

#include "kit/vb_strings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qv {
namespace {

std::optional<std::vector<BYTE>> ReadData(HKEY key, const std::wstring& name, DWORD size) {
  std::vector<BYTE> data(size);
  DWORD got = size;
  if (RegQueryValueExW(key, name.c_str(), nullptr, nullptr, data.data(), &got) != ERROR_SUCCESS) return std::nullopt;
  data.resize(got);
  return data;
}

std::wstring TextOf(const std::vector<BYTE>& data) {
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
  const auto nul = text.find(L'\0');
  if (nul != std::wstring::npos) return text.substr(0, nul);
  // Our own values carry no NUL (see SetRegValue); blanks round them are not part of the value.
  return TrimBlanks(text);
}

}  // namespace

std::wstring QueryValue(HKEY key, std::wstring_view valueName, std::wstring_view dflt) {
  const std::wstring name(valueName);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::wstring(dflt);
  }
  switch (type) {
    case REG_SZ: {
      const auto data = ReadData(key, name, size);
      return data ? TextOf(*data) : std::wstring();
    }
    case REG_DWORD: {
      const auto data = ReadData(key, name, size);
      if (!data || data->size() != sizeof(std::int32_t)) return {};
      std::int32_t value = 0;
      std::memcpy(&value, data->data(), sizeof value);
      return std::to_wstring(value);
    }
    case REG_BINARY: {
      // Only the first two bytes count, however long the value is.
      const auto data = ReadData(key, name, size);
      if (!data) return {};
      std::int16_t value = 0;
      std::memcpy(&value, data->data(), std::min(data->size(), sizeof value));
      return std::to_wstring(value);
    }
    default:
      return {};
  }
}

std::optional<std::wstring> GetRegValue(HKEY root, std::wstring_view key, std::wstring_view valueName) {
  RegKey handle;
  if (RegOpenKeyExW(root, std::wstring(key).c_str(), 0, KEY_QUERY_VALUE, handle.out()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  auto text = QueryValue(handle.get(), valueName);
  if (text.empty()) return std::nullopt;
  return text;
}

LSTATUS SetRegValue(HKEY root, std::wstring_view key, std::wstring_view valueName, std::wstring_view value,
                    TextEnd end) {
  RegKey handle;
  const LSTATUS rc =
      RegCreateKeyExW(root, std::wstring(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, handle.out(), nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  // Without its NUL: the system stores one anyway when one follows the counted text; a blank after it
  // keeps the count exact.
  const std::wstring data = std::wstring(value) + (end == TextEnd::kNul ? L'\0' : L' ');
  const std::size_t count = value.size() + (end == TextEnd::kNul ? 1 : 0);
  return RegSetValueExW(handle.get(), std::wstring(valueName).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(count * sizeof(wchar_t)));
}

}  // namespace qv
