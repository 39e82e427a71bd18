#include "win/com_registration.h"

#include "win/files.h"
#include "win/registry.h"

#include <objbase.h>

#include <tuple>

namespace qv {
namespace {

const std::wstring kClasses = L"Software\\Classes\\";

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
  // COM reads these values itself, so they are stored the usual way, with their terminating NUL.
  for (const auto& [key, name, value] : {
           std::tuple{clsidKey, L"", progIdText},
           std::tuple{clsidKey + L"\\InprocServer32", L"", file},
           std::tuple{clsidKey + L"\\InprocServer32", L"ThreadingModel", std::wstring(L"Apartment")},
           std::tuple{clsidKey + L"\\ProgID", L"", progIdText},
           std::tuple{kClasses + progIdText + L"\\CLSID", L"", ClsidText(clsid)},
       }) {
    const LSTATUS rc = SetRegValue(HKEY_CURRENT_USER, key, name, value, TextEnd::kNul);
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
