#pragma once
// Per-user registration of an in-process COM server (HKCU\Software\Classes), no administrator needed.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

// Writes CLSID\{clsid}\InprocServer32 (this module's file, apartment threaded), CLSID\{clsid}\ProgID,
// and ProgID\CLSID. Gives the first failing registry call's result.
HRESULT RegisterInprocServer(const CLSID& clsid, std::wstring_view progId, HMODULE module);

// Removes exactly the keys that RegisterInprocServer writes.
HRESULT UnregisterInprocServer(const CLSID& clsid, std::wstring_view progId);

std::wstring ClsidText(const CLSID& clsid);

}  // namespace qv
