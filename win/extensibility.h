#pragma once
// The hosts' add-in connection interface, IDTExtensibility2 of the add-in designer's type library.
// mingw-w64 ships no header for it. Dual: the host calls through the vtable after QueryInterface,
// a script host through IDispatch.
#include <windows.h>

#include <oaidl.h>

enum ext_ConnectMode : int {
  ext_cm_AfterStartup = 0,  // connected in the Add-In Manager after the host started
  ext_cm_Startup = 1,
  ext_cm_External = 2,
  ext_cm_CommandLine = 3,
};

enum ext_DisconnectMode : int {
  ext_dm_HostShutdown = 0,
  ext_dm_UserClosed = 1,
};

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr IID IID_IDTExtensibility2 = {
    0xb65ad801, 0xabaf, 0x11d0, {0xbb, 0x8b, 0x00, 0xa0, 0xc9, 0x0f, 0x27, 0x44}};

// `custom` is a one-dimensional array of VARIANT in every call.
struct IDTExtensibility2 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode connect_mode,
                                                 IDispatch* add_in_inst, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode remove_mode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IDTExtensibility2, 0xb65ad801, 0xabaf, 0x11d0, 0xbb, 0x8b, 0x00, 0xa0, 0xc9, 0x0f, 0x27, 0x44)
#endif
