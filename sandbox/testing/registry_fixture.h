#pragma once
// Snapshots registry keys under HKEY_CURRENT_USER and puts them back exactly as they were: values
// with their types and bytes, subkeys, and the absence of keys that did not exist.
#include <windows.h>

#include <string>
#include <vector>

namespace sbx {

class RegistryFixture {
 public:
  // The add-in's and the hosts' keys: Software\Velmora, Software\Microsoft\VBA and
  // Software\Microsoft\Visual Basic, then `more` (e.g. the classes a test registers).
  explicit RegistryFixture(std::vector<std::wstring> more = {});
  RegistryFixture(const RegistryFixture&) = delete;
  RegistryFixture& operator=(const RegistryFixture&) = delete;
  ~RegistryFixture() { Restore(); }

  // Puts every key back as it was when the fixture was made.
  void Restore() const;

  struct Value {
    std::wstring name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };
  struct Key {
    bool exists = false;
    bool unreadable = false;  // present but not readable: restoring must not delete it
    std::vector<Value> values;
    std::vector<std::pair<std::wstring, Key>> subkeys;
  };
  // A key's whole tree as it is now; for comparing before and after.
  static Key Read(const std::wstring& path);

 private:
  std::vector<std::pair<std::wstring, Key>> saved_;
};

bool operator==(const RegistryFixture::Value& a, const RegistryFixture::Value& b);
bool operator==(const RegistryFixture::Key& a, const RegistryFixture::Key& b);

}  // namespace sbx
