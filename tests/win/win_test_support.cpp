#include "tests/win/win_test_support.h"

#include "win/registry.h"

namespace qv::test {

ScratchKey::ScratchKey()
    : path_(L"Software\\QuorvaneTests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount64())) {
  RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle_, nullptr);
}

ScratchKey::~ScratchKey() {
  if (handle_) RegCloseKey(handle_);
  RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuorvaneTests");  // only when no other test run uses it
}

bool KeyExists(HKEY root, const std::wstring& path) {
  RegKey key;
  return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

}  // namespace qv::test
