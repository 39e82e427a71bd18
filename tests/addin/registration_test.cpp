// Self-registration of the shipped libraries: what it writes, that the host loads from it, and that
// unregistration takes exactly that away again.
#include <windows.h>

#include <algorithm>

#include "sandbox/testing/registry_fixture.h"
#include "tests/addin/addin_fixture.h"

namespace sbx::test {
namespace {

struct Expected {
  std::wstring key;
  RegistryFixture::Key tree;
};

RegistryFixture::Value Text(const wchar_t* name, const std::wstring& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return {name, REG_SZ, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

RegistryFixture::Value Number(const wchar_t* name, DWORD number) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&number);
  return {name, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof number)};
}

RegistryFixture::Key Tree(std::vector<RegistryFixture::Value> values,
                          std::vector<std::pair<std::wstring, RegistryFixture::Key>> subkeys = {}) {
  return {true, false, std::move(values), std::move(subkeys)};
}

class RegistrationTest : public AddinTest {
 protected:
  std::wstring file() const override { return library().file + std::wstring(L".dll"); }

  std::wstring AddinsKey() const {
    const bool vba = library().personality == Personality::kVba;
    return std::wstring(vba ? L"Software\\Microsoft\\VBA\\VBE\\6.0" : L"Software\\Microsoft\\Visual Basic\\6.0") +
           (vba && sizeof(void*) == 8 ? L"\\Addins64" : L"\\Addins");
  }

  // Every key registration writes, with all it holds.
  std::vector<Expected> Written() const {
    const std::wstring prog_id = library().prog_id;
    const std::wstring clsid = library().clsid;
    return {
        {L"Software\\Classes\\CLSID\\" + clsid,
         Tree({Text(L"", prog_id)},
              {{L"InprocServer32", Tree({Text(L"", path()), Text(L"ThreadingModel", L"Apartment")})},
               {L"ProgID", Tree({Text(L"", prog_id)})}})},
        {L"Software\\Classes\\" + prog_id, Tree({}, {{L"CLSID", Tree({Text(L"", clsid)})}})},
        {AddinsKey() + L"\\" + prog_id,
         Tree({Text(L"FriendlyName", L"Quorvane"),
               Text(L"Description", L"Add-In, который делает ваш код красивым и читабельным"),
               Number(L"LoadBehavior", 3),
               Number(L"CommandLineSafe", library().personality == Personality::kVb6 ? 1 : 0)})},
    };
  }
};

// Sorted, for comparing trees whatever order the registry lists them in.
RegistryFixture::Key Sorted(RegistryFixture::Key key) {
  std::sort(key.values.begin(), key.values.end(), [](auto& a, auto& b) { return a.name < b.name; });
  for (auto& [name, subkey] : key.subkeys) subkey = Sorted(std::move(subkey));
  std::sort(key.subkeys.begin(), key.subkeys.end(), [](auto& a, auto& b) { return a.first < b.first; });
  return key;
}

TEST_P(RegistrationTest, WritesTheClassAndTheHostsEntryAndTheHostLoadsFromThem) {
  for (const Expected& expected : Written()) {
    EXPECT_EQ(Sorted(expected.tree), Sorted(RegistryFixture::Read(expected.key))) << std::string(
        expected.key.begin(), expected.key.end());
  }
  StartHost();
  // Not a first start: the Visual Basic 6.0 IDE's would put a style manifest beside this program.
  SetSetting(L"StyleIDE", L"False");
  host_->add_ins().StartUp();
  EXPECT_TRUE(host_->add_ins().IsConnected(library().prog_id));
  EXPECT_TRUE(host_->add_ins().failures().empty());
  host_->ShutDown();
  EXPECT_EQ(nullptr, Loaded());
}

TEST_P(RegistrationTest, UnregistrationRemovesExactlyWhatRegistrationWrote) {
  ASSERT_EQ(S_OK, RegisterServer(path(), true));
  // An installed host has its add-ins key already.
  {
    qv::RegKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, AddinsKey().c_str(), 0, nullptr, 0, KEY_READ, nullptr,
                                             key.out(), nullptr));
  }
  const RegistryFixture::Key classes = RegistryFixture::Read(L"Software\\Classes");
  const RegistryFixture::Key addins = RegistryFixture::Read(AddinsKey());
  ASSERT_EQ(S_OK, RegisterServer(path()));
  ASSERT_EQ(S_OK, RegisterServer(path(), true));
  EXPECT_EQ(classes, RegistryFixture::Read(L"Software\\Classes"));
  EXPECT_EQ(addins, RegistryFixture::Read(AddinsKey()));
  for (const Expected& expected : Written()) EXPECT_FALSE(RegistryFixture::Read(expected.key).exists);
}

INSTANTIATE_TEST_SUITE_P(Libraries, RegistrationTest, ::testing::ValuesIn(BuiltLibraries()), LibraryName);

}  // namespace
}  // namespace sbx::test
