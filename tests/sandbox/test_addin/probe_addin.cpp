// The test add-in: on connection it adds a button to the "Add-Ins" bar by name, late-bound as the
// real add-in does, binds Events.CommandBarEvents to it, learns the event interface from the
// connection point and advises a sink that counts clicks. On disconnection it undoes all of it.
#include "tests/sandbox/test_addin/probe_addin.h"

#include <ocidl.h>

#include <atomic>
#include <new>

#include "win/com_registration.h"
#include "win/extensibility.h"
#include "win/unknown.h"
#include "sandbox/testing/late_bound.h"

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

// A 64-bit VBA host reads Addins64.
const wchar_t* const kVbaAddins = sizeof(void*) == 8 ? L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64\\"
                                                     : L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins\\";
const wchar_t* const kVb6Addins = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\";

// The test's report, when it made one; written through, so it survives the library.
class Report {
 public:
  Report() {
    mapping_ = OpenFileMappingW(FILE_MAP_WRITE, FALSE, ProbeReportName().c_str());
    if (mapping_) view_ = static_cast<ProbeReport*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(ProbeReport)));
    if (!view_) view_ = &unused_;
  }
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;
  ~Report() {
    if (view_ != &unused_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
  }
  ProbeReport* operator->() { return view_; }

 private:
  HANDLE mapping_ = nullptr;
  ProbeReport* view_ = nullptr;
  ProbeReport unused_{};
};

// Counts the library's live objects for DllCanUnloadNow. Reached only through the vtable, or by any
// DISPID: no type information.
template <class Interface>
class ProbeObject : public qv::NamelessDispatch<Interface> {
 public:
  ProbeObject() { ++g_objects; }
  ~ProbeObject() override { --g_objects; }
};

// Any DISPID is the click.
class ClickSink final : public ProbeObject<IDispatch> {
 public:
  ClickSink(IID events, Report& report, IDispatch* button) : events_(events), report_(report), button_(button) {}
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    ++report_->clicks;
    report_->click_passed_button = params && params->cArgs == 3 && V_VT(&params->rgvarg[2]) == VT_DISPATCH &&
                                   sbx::SameObject(V_DISPATCH(&params->rgvarg[2]), button_);
    if (report_->click_message[0]) {
      report_->message_answer =
          MessageBoxW(nullptr, report_->click_message, L"Sandbox Probe", MB_YESNO | MB_ICONQUESTION);
    }
    return S_OK;
  }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == events_; }

  IID events_;
  Report& report_;
  IDispatch* button_;
};

class Connect final : public ProbeObject<IDTExtensibility2> {
 public:
  ~Connect() override { Disconnect(); }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ext_ConnectMode mode, IDispatch*,
                                         SAFEARRAY**) override {
    ++report_->connections;
    report_->connect_mode = mode;
    report_->application_is_vbe = sbx::TypeName(application) == L"VBE";
    try {
      const sbx::Variant bar = sbx::Get(sbx::Get(application, L"CommandBars").Object(), L"Item", {L"Add-Ins"});
      button_ = sbx::Invoke(sbx::Get(bar.Object(), L"Controls").Object(), L"Add", DISPATCH_METHOD, {1});
      sbx::Put(button_.Object(), L"Caption", kProbeButtonCaption);
      events_ = sbx::Get(sbx::Get(application, L"Events").Object(), L"CommandBarEvents", {button_});
      Advise();
    } catch (const sbx::CallFailure& failure) {
      report_->failure = failure.hr;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode mode, SAFEARRAY**) override {
    ++report_->disconnections;
    report_->disconnect_mode = mode;
    Disconnect();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY**) override {
    ++report_->add_ins_updates;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY**) override {
    ++report_->startup_completes;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY**) override {
    ++report_->begin_shutdowns;
    return S_OK;
  }

 private:
  bool Answers(REFIID iid) const override { return iid == IID_IDispatch || iid == IID_IDTExtensibility2; }

  // The event interface is whatever the one connection point says.
  void Advise() {
    IConnectionPointContainer* container = nullptr;
    IEnumConnectionPoints* points = nullptr;
    HRESULT hr = events_.Object()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (SUCCEEDED(hr)) hr = container->EnumConnectionPoints(&points);
    if (SUCCEEDED(hr)) hr = points->Next(1, &point_, nullptr) == S_OK ? S_OK : E_FAIL;
    IID events{};
    if (SUCCEEDED(hr)) hr = point_->GetConnectionInterface(&events);
    if (SUCCEEDED(hr)) {
      auto* sink = new ClickSink(events, report_, button_.Object());
      hr = point_->Advise(sink, &cookie_);
      sink->Release();
    }
    if (points) points->Release();
    if (container) container->Release();
    if (FAILED(hr)) report_->failure = hr;
  }

  void Disconnect() {
    if (point_) {
      point_->Unadvise(cookie_);
      point_->Release();
      point_ = nullptr;
    }
    if (button_.Object()) {
      try {
        sbx::Invoke(button_.Object(), L"Delete", DISPATCH_METHOD);
      } catch (const sbx::CallFailure& failure) {
        report_->failure = failure.hr;
      }
    }
    button_ = sbx::Variant();
    events_ = sbx::Variant();
  }

  Report report_;
  sbx::Variant button_;
  sbx::Variant events_;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  // Static object: lifetime is the module's.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* connect = new (std::nothrow) Connect;
    if (!connect) return E_OUTOFMEMORY;
    const HRESULT hr = connect->QueryInterface(iid, out);
    connect->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    g_locks += lock ? 1 : -1;
    return S_OK;
  }
};

Factory g_factory;

LSTATUS WriteAddinKey(const std::wstring& key) {
  const std::wstring friendly = L"Sandbox Probe";
  const std::wstring description = L"Test add-in of the sandbox";
  const DWORD load_behavior = 3;
  const DWORD command_line_safe = 1;
  LSTATUS rc = RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"FriendlyName", REG_SZ, friendly.c_str(),
                               static_cast<DWORD>((friendly.size() + 1) * sizeof(wchar_t)));
  if (rc == ERROR_SUCCESS) {
    rc = RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Description", REG_SZ, description.c_str(),
                         static_cast<DWORD>((description.size() + 1) * sizeof(wchar_t)));
  }
  if (rc == ERROR_SUCCESS) {
    rc = RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"LoadBehavior", REG_DWORD, &load_behavior, sizeof(DWORD));
  }
  if (rc == ERROR_SUCCESS) {
    rc = RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"CommandLineSafe", REG_DWORD, &command_line_safe,
                         sizeof(DWORD));
  }
  return rc;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

// Registers the class per user and the add-in with both hosts.
HRESULT WINAPI DllRegisterServer() {
  HRESULT hr = qv::RegisterInprocServer(CLSID_SandboxProbe, kProbeProgId, g_module);
  for (const wchar_t* host : {kVbaAddins, kVb6Addins}) {
    const LSTATUS rc = WriteAddinKey(host + std::wstring(kProbeProgId));
    if (SUCCEEDED(hr) && rc != ERROR_SUCCESS) hr = HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
  }
  return hr;
}

HRESULT WINAPI DllUnregisterServer() {
  for (const wchar_t* host : {kVbaAddins, kVb6Addins}) {
    RegDeleteTreeW(HKEY_CURRENT_USER, (host + std::wstring(kProbeProgId)).c_str());
  }
  return qv::UnregisterInprocServer(CLSID_SandboxProbe, kProbeProgId);
}

HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != CLSID_SandboxProbe) return CLASS_E_CLASSNOTAVAILABLE;
  return g_factory.QueryInterface(iid, out);
}

HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }

}  // extern "C"
