// Per-user registration through the system's registration tool, creation by ProgID, and unloading.
#include "win/com_registration.h"
#include "win/files.h"
#include "win/registry.h"
#include "tests/com_server/com_server.h"
#include "tests/win/win_test_support.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

DWORD RunRegsvr32(const std::wstring& arguments) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(system) + L"\\regsvr32.exe\" /s " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return GetLastError() | 0x80000000u;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// Wine's HKEY_CLASSES_ROOT leaves out HKCU\Software\Classes, so CoCreateInstance cannot see a class
// registered per user there. Resolve the per-user registration the way COM does on Windows.
struct LoadedServer {
  HMODULE library = nullptr;
  ITestObject* object = nullptr;
};

LoadedServer CreateFromPerUserProgId(const wchar_t* progId) {
  LoadedServer loaded;
  const auto clsidText =
      GetRegValue(HKEY_CURRENT_USER, std::wstring(L"Software\\Classes\\") + progId + L"\\CLSID", L"");
  CLSID clsid{};
  if (!clsidText || FAILED(CLSIDFromString(clsidText->c_str(), &clsid))) return loaded;
  const auto file =
      GetRegValue(HKEY_CURRENT_USER, L"Software\\Classes\\CLSID\\" + *clsidText + L"\\InprocServer32", L"");
  if (!file) return loaded;
  loaded.library = LoadLibraryW(file->c_str());
  if (!loaded.library) return loaded;
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  const auto getClassObject = test::GetProc<GetClassObjectFn>(loaded.library, "DllGetClassObject");
  IClassFactory* factory = nullptr;
  if (getClassObject && SUCCEEDED(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    factory->CreateInstance(nullptr, IID_ITestObject, reinterpret_cast<void**>(&loaded.object));
    factory->Release();
  }
  return loaded;
}

class ComServerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override {
    RunRegsvr32(L"/u \"" + dll_ + L"\"");
    CoUninitialize();
  }

  const std::wstring dll_ = AppPath() + L"test_com_server.dll";
  const std::wstring clsidKey_ = L"Software\\Classes\\CLSID\\" + ClsidText(CLSID_TestComServer);
  const std::wstring progIdKey_ = std::wstring(L"Software\\Classes\\") + kTestComServerProgId;
};

TEST_F(ComServerTest, RegistersPerUserCreatesByProgIdAndUnregistersExactly) {
  ASSERT_EQ(0u, RunRegsvr32(L"\"" + dll_ + L"\""));
  EXPECT_EQ(dll_, GetRegValue(HKEY_CURRENT_USER, clsidKey_ + L"\\InprocServer32", L""));
  EXPECT_EQ(L"Apartment", GetRegValue(HKEY_CURRENT_USER, clsidKey_ + L"\\InprocServer32", L"ThreadingModel"));
  EXPECT_EQ(ClsidText(CLSID_TestComServer), GetRegValue(HKEY_CURRENT_USER, progIdKey_ + L"\\CLSID", L""));

  const LoadedServer loaded = CreateFromPerUserProgId(kTestComServerProgId);
  ASSERT_NE(nullptr, loaded.object);
  long size = 0;
  EXPECT_EQ(S_OK, loaded.object->PointerSize(&size));
  EXPECT_EQ(static_cast<long>(sizeof(void*)), size);

  // The library may go once nothing of it is alive, and only then.
  using CanUnloadFn = HRESULT(WINAPI*)();
  const auto canUnload = test::GetProc<CanUnloadFn>(loaded.library, "DllCanUnloadNow");
  ASSERT_NE(nullptr, canUnload);
  EXPECT_EQ(S_FALSE, canUnload());
  loaded.object->Release();
  EXPECT_EQ(S_OK, canUnload());
  FreeLibrary(loaded.library);
  EXPECT_EQ(nullptr, GetModuleHandleW(L"test_com_server.dll"));

  ASSERT_EQ(0u, RunRegsvr32(L"/u \"" + dll_ + L"\""));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, clsidKey_));
  EXPECT_FALSE(test::KeyExists(HKEY_CURRENT_USER, progIdKey_));
  EXPECT_TRUE(test::KeyExists(HKEY_CURRENT_USER, L"Software\\Classes"));
}

}  // namespace
}  // namespace qv
