#include "win/files.h"

#include "kit/vb_strings.h"
#include "win/this_module.h"
#include "win/unique_handle.h"

namespace qv {

std::wstring ModuleFileName(HMODULE module) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
    if (got == 0) return {};
    if (got < name.size()) {
      name.resize(got);
      return name;
    }
    name.resize(name.size() * 2);
  }
}

std::wstring AppPath() {
  // GetDirectory drops the last "\" and what follows, so a drive's root gives "C:" and gets its "\" back.
  return GetDirectory(ModuleFileName(ThisModule())) + L'\\';
}

bool FileExists(std::wstring_view path) {
  if (path.empty()) return false;
  const UniqueFile file(CreateFileW(std::wstring(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid();
}

std::optional<std::wstring> FoundFileName(std::wstring_view path) {
  if (path.empty() || path.find_first_of(std::wstring_view(L"*?\0", 3)) != std::wstring_view::npos) return std::nullopt;
  WIN32_FIND_DATAW found{};
  const UniqueFind search(FindFirstFileW(std::wstring(path).c_str(), &found));
  if (!search.valid()) return std::nullopt;
  if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return std::wstring(found.cFileName);
}

}  // namespace qv
