#pragma once
// A minimal in-process COM server: proves per-user registration and creation by ProgID.
#include <windows.h>

#include <unknwn.h>

// {5B0C7E1A-6A43-4F55-9C2E-2B8E4B7D9A10}
inline constexpr CLSID CLSID_TestComServer = {
    0x5b0c7e1a, 0x6a43, 0x4f55, {0x9c, 0x2e, 0x2b, 0x8e, 0x4b, 0x7d, 0x9a, 0x10}};
// {5B0C7E1A-6A43-4F55-9C2E-2B8E4B7D9A11}
inline constexpr IID IID_ITestObject = {0x5b0c7e1a, 0x6a43, 0x4f55, {0x9c, 0x2e, 0x2b, 0x8e, 0x4b, 0x7d, 0x9a, 0x11}};
inline constexpr wchar_t kTestComServerProgId[] = L"QuorvaneTest.ComServer";

struct ITestObject : IUnknown {
  // Pointer size of the server's code, to prove the bitness that was loaded.
  virtual HRESULT STDMETHODCALLTYPE PointerSize(long* size) = 0;
};

// Exported by the server: its AppPath into buffer (cch characters with the NUL); gives the length.
using ServerAppPathFn = int(WINAPI*)(wchar_t* buffer, int cch);
