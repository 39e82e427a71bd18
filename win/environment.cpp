#include "win/environment.h"

#include <windows.h>

namespace qv {

std::wstring EnvironmentVariable(std::wstring_view name) {
  const std::wstring variable(name);
  std::wstring value(GetEnvironmentVariableW(variable.c_str(), nullptr, 0), L'\0');
  if (value.empty()) return {};
  value.resize(GetEnvironmentVariableW(variable.c_str(), value.data(), static_cast<DWORD>(value.size())));
  return value;
}

}  // namespace qv
