#include "sandbox/testing/registry_fixture.h"

#include <iterator>

#include "win/registry.h"

namespace sbx {
namespace {

void Write(HKEY parent, const std::wstring& name, const RegistryFixture::Key& key) {
  qv::RegKey handle;
  if (RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle.out(), nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  for (const auto& value : key.values) {
    RegSetValueExW(handle.get(), value.name.c_str(), 0, value.type, value.data.data(),
                   static_cast<DWORD>(value.data.size()));
  }
  for (const auto& [subkey_name, subkey] : key.subkeys) Write(handle.get(), subkey_name, subkey);
}

RegistryFixture::Key ReadOpen(HKEY handle) {
  RegistryFixture::Key key;
  key.exists = true;
  wchar_t name[16384];
  for (DWORD index = 0;; ++index) {
    DWORD name_length = static_cast<DWORD>(std::size(name));
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(handle, index, name, &name_length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    RegistryFixture::Value value{std::wstring(name, name_length), type, std::vector<BYTE>(size)};
    RegQueryValueExW(handle, value.name.c_str(), nullptr, nullptr, value.data.data(), &size);
    key.values.push_back(std::move(value));
  }
  for (DWORD index = 0;; ++index) {
    DWORD name_length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(handle, index, name, &name_length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    qv::RegKey subkey;
    if (RegOpenKeyExW(handle, name, 0, KEY_READ, subkey.out()) != ERROR_SUCCESS) continue;
    key.subkeys.emplace_back(std::wstring(name, name_length), ReadOpen(subkey.get()));
  }
  return key;
}

}  // namespace

RegistryFixture::RegistryFixture(std::vector<std::wstring> more) {
  std::vector<std::wstring> paths = {L"Software\\Velmora", L"Software\\Microsoft\\VBA",
                                     L"Software\\Microsoft\\Visual Basic"};
  paths.insert(paths.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  for (std::wstring& path : paths) {
    Key key = Read(path);
    saved_.emplace_back(std::move(path), std::move(key));
  }
}

RegistryFixture::Key RegistryFixture::Read(const std::wstring& path) {
  qv::RegKey handle;
  const LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, handle.out());
  if (status != ERROR_SUCCESS) {
    Key key;
    key.unreadable = status != ERROR_FILE_NOT_FOUND;
    return key;
  }
  return ReadOpen(handle.get());
}

void RegistryFixture::Restore() const {
  for (const auto& [path, key] : saved_) {
    if (key.unreadable) continue;
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    if (key.exists) Write(HKEY_CURRENT_USER, path, key);
  }
}

bool operator==(const RegistryFixture::Value& a, const RegistryFixture::Value& b) {
  return a.name == b.name && a.type == b.type && a.data == b.data;
}

bool operator==(const RegistryFixture::Key& a, const RegistryFixture::Key& b) {
  return a.exists == b.exists && a.unreadable == b.unreadable && a.values == b.values && a.subkeys == b.subkeys;
}

}  // namespace sbx
