// The library's exports: self-registration and the class factory of Connect.
#include <windows.h>

#include <unknwn.h>

#include "addin/build_info.h"
#include "addin/connection.h"
#include "addin/main_tables.h"
#include "win/module_lifetime.h"
#include "addin/registration.h"
#include "library/connect.h"
#include "win/failure_log.h"

namespace {

HMODULE g_module = nullptr;

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // A static object: each reference a client holds keeps the library.
  ULONG STDMETHODCALLTYPE AddRef() override {
    qv::AddRefModule();
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    qv::ReleaseModule();
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return qv::CreateConnect(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      qv::AddRefModule();
    } else {
      qv::ReleaseModule();
    }
    return S_OK;
  }
};

Factory g_factory;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

HRESULT WINAPI DllRegisterServer() { return qv::RegisterAddin(g_module); }

HRESULT WINAPI DllUnregisterServer() { return qv::UnregisterAddin(); }

// The host asks for the class before the first connection, on its own thread: the load-time
// tables are filled here, outside the loader lock.
HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != qv::Build().Clsid) return CLASS_E_CLASSNOTAVAILABLE;
  // A failure leaves the tables as far as they were filled.
  qv::Guarded(L"Main", [] { qv::Main(); });
  return g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() {
  return qv::ModuleInUse() || qv::IsConnected() ? S_FALSE : S_OK;
}

}  // extern "C"
