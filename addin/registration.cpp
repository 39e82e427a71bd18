#include "addin/registration.h"

#include <string>

#include "addin/build_info.h"
#include "win/com_registration.h"
#include "win/registry.h"

namespace qv {
namespace {

constexpr wchar_t kFriendlyName[] = L"Quorvane";
constexpr wchar_t kDescription[] = L"Add-In, который делает ваш код красивым и читабельным";
constexpr DWORD kLoadAtStartup = 3;

// A 64-bit VBA editor lists its add-ins under Addins64.
std::wstring AddinKey() {
  const BuildInfo& build = Build();
  const wchar_t* list = build.IsVBA && sizeof(void*) == 8 ? L"\\Addins64\\" : L"\\Addins\\";
  return build.HostKey + std::wstring(list) + build.ProgId;
}

LSTATUS WriteNumber(const std::wstring& key, const wchar_t* name, DWORD value) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof value);
}

}  // namespace

HRESULT RegisterAddin(HMODULE module) {
  const BuildInfo& build = Build();
  HRESULT hr = RegisterInprocServer(build.Clsid, build.ProgId, module);
  if (FAILED(hr)) return hr;
  const std::wstring key = AddinKey();
  // The host reads the texts itself, with their terminating NUL.
  for (const LSTATUS rc : {SetRegValue(HKEY_CURRENT_USER, key, L"FriendlyName", kFriendlyName, TextEnd::kNul),
                           SetRegValue(HKEY_CURRENT_USER, key, L"Description", kDescription, TextEnd::kNul),
                           WriteNumber(key, L"LoadBehavior", kLoadAtStartup),
                           WriteNumber(key, L"CommandLineSafe", build.CommandLineSafe)}) {
    if (rc != ERROR_SUCCESS && SUCCEEDED(hr)) hr = HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
  }
  return hr;
}

HRESULT UnregisterAddin() {
  const LSTATUS rc = RegDeleteTreeW(HKEY_CURRENT_USER, AddinKey().c_str());
  const HRESULT hr = UnregisterInprocServer(Build().Clsid, Build().ProgId);
  if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
  return hr;
}

}  // namespace qv
