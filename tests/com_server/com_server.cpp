#include "tests/com_server/com_server.h"

#include "win/com_registration.h"
#include "win/files.h"

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <new>

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

class TestObject final : public ITestObject {
 public:
  TestObject() { ++g_objects; }
  TestObject(const TestObject&) = delete;
  TestObject& operator=(const TestObject&) = delete;
  virtual ~TestObject() { --g_objects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ITestObject) {
      *out = static_cast<ITestObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --refs_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE PointerSize(long* size) override {
    if (!size) return E_POINTER;
    *size = static_cast<long>(sizeof(void*));
    return S_OK;
  }

 private:
  std::atomic<long> refs_{1};
};

class Factory final : public IClassFactory {
 public:
  Factory() = default;
  Factory(const Factory&) = delete;
  Factory& operator=(const Factory&) = delete;
  virtual ~Factory() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Static object: lifetime is the module's.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) TestObject;
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++g_locks;
    } else {
      --g_locks;
    }
    return S_OK;
  }
};

Factory g_factory;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

HRESULT WINAPI DllRegisterServer() { return qv::RegisterInprocServer(CLSID_TestComServer, kTestComServerProgId, g_module); }

HRESULT WINAPI DllUnregisterServer() { return qv::UnregisterInprocServer(CLSID_TestComServer, kTestComServerProgId); }

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_TestComServer) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }

int WINAPI ServerAppPath(wchar_t* buffer, int cch) {
  const std::wstring path = qv::AppPath();
  if (cch > 0) {
    const size_t n = std::min(path.size(), static_cast<size_t>(cch - 1));
    std::wmemcpy(buffer, path.c_str(), n);
    buffer[n] = L'\0';
  }
  return static_cast<int>(path.size());
}

}  // extern "C"
