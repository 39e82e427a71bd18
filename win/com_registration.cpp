#include "win/com_registration.h"

#include "win/files.h"

#include <objbase.h>

#include <tuple>

namespace qv {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

// COM reads these values itself, so they are stored the usual way, with their terminating NUL.
LSTATUS WriteDefault(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LSTATUS rc = RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return rc;
}

}  // namespace

std::wstring ClsidText(const CLSID& clsid) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return text;
}

HRESULT RegisterInprocServer(const CLSID& clsid, std::wstring_view progId, HMODULE module) {
  const std::wstring clsidKey = kClasses + L"CLSID\\" + ClsidText(clsid);
  const std::wstring progIdText(progId);
  const std::wstring file = ModuleFileName(module);
  if (file.empty()) return HRESULT_FROM_WIN32(GetLastError());
  for (const auto& [key, name, value] : {
           std::tuple{clsidKey, static_cast<const wchar_t*>(nullptr), progIdText},
           std::tuple{clsidKey + L"\\InprocServer32", static_cast<const wchar_t*>(nullptr), file},
           std::tuple{clsidKey + L"\\InprocServer32", L"ThreadingModel", std::wstring(L"Apartment")},
           std::tuple{clsidKey + L"\\ProgID", static_cast<const wchar_t*>(nullptr), progIdText},
           std::tuple{kClasses + progIdText + L"\\CLSID", static_cast<const wchar_t*>(nullptr), ClsidText(clsid)},
       }) {
    const LSTATUS rc = WriteDefault(key, name, value);
    if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
  }
  return S_OK;
}

HRESULT UnregisterInprocServer(const CLSID& clsid, std::wstring_view progId) {
  HRESULT result = S_OK;
  for (const std::wstring& key : {kClasses + L"CLSID\\" + ClsidText(clsid), kClasses + std::wstring(progId)}) {
    const LSTATUS rc = RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND && result == S_OK) {
      result = HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
    }
  }
  return result;
}

}  // namespace qv
