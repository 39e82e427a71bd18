#pragma once
// Loading add-ins the way the hosts do, from their per-user registration only: the host's Addins
// key names ProgIDs, the classes key leads to the in-process server, and the server's object
// answers IDTExtensibility2.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win/extensibility.h"
#include "sandbox/host/dispatch.h"

namespace sbx {

// Calls the library's DllRegisterServer (or DllUnregisterServer) as regsvr32 does.
HRESULT RegisterServer(const std::wstring& library, bool unregister = false);

class AddInObject final : public DispatchObject<AddIn> {
 public:
  AddInObject(std::shared_ptr<HostState> state, std::wstring prog_id, std::wstring guid, std::wstring description);
  ~AddInObject() override { VariantClear(&object_); }

  HRESULT STDMETHODCALLTYPE get_ProgId(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_Guid(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_Description(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_Description(BSTR value) override;
  HRESULT STDMETHODCALLTYPE get_Connect(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE get_Object(VARIANT* result) override;
  HRESULT STDMETHODCALLTYPE put_Object(VARIANT value) override;

  // At disconnection: not connected, and no reference into the add-in's library is kept.
  void Disconnected();

 private:
  std::wstring prog_id_;
  std::wstring guid_;
  std::wstring description_;
  bool connected_ = true;
  VARIANT object_;
};

// A step of loading that failed; loading goes on with the next add-in.
struct LoadFailure {
  std::wstring prog_id;
  std::wstring step;  // "class", "server", "library", "factory", "interface", "OnConnection"
  HRESULT result = S_OK;
};

class AddInLoader {
 public:
  explicit AddInLoader(std::shared_ptr<HostState> state);
  AddInLoader(const AddInLoader&) = delete;
  AddInLoader& operator=(const AddInLoader&) = delete;
  ~AddInLoader();

  // HKCU key listing the personality's add-ins: Addins64 in a 64-bit VBA host (assumed).
  std::wstring AddinsKey() const;

  // Start-up: every add-in whose LoadBehavior has bit 1 connects with ext_cm_Startup, then each
  // of them gets OnStartupComplete.
  void StartUp();
  // A start from the command line: LoadBehavior bit 2, ext_cm_CommandLine (assumed).
  void StartFromCommandLine();
  // Add-In Manager: ext_cm_AfterStartup / ext_dm_UserClosed, then OnAddInsUpdate on every connected
  // add-in (assumed).
  bool ConnectFromManager(std::wstring_view prog_id);
  bool DisconnectFromManager(std::wstring_view prog_id);
  // Any mode, for tests (external, command line); a connected add-in stays as it is. False when a
  // step failed (see failures()).
  bool Connect(std::wstring_view prog_id, ext_ConnectMode mode);
  // OnBeginShutdown on each, OnDisconnection(ext_dm_HostShutdown), Release, then the libraries go.
  void ShutDown();
  // Frees every library whose DllCanUnloadNow agrees.
  void FreeUnusedLibraries();

  bool IsConnected(std::wstring_view prog_id) const;
  std::vector<std::wstring> Connected() const;
  const std::vector<LoadFailure>& failures() const { return failures_; }

 private:
  struct Connection {
    std::wstring prog_id;
    ComPtr<IDTExtensibility2> add_in;
    ComPtr<AddInObject> add_in_object;
  };

  std::vector<std::wstring> RegisteredWith(DWORD load_behavior_bit) const;
  void Disconnect(Connection& connection, ext_DisconnectMode mode);
  void NotifyAll(HRESULT (STDMETHODCALLTYPE IDTExtensibility2::*method)(SAFEARRAY**));
  bool Fail(std::wstring_view prog_id, const wchar_t* step, HRESULT result);

  std::shared_ptr<HostState> state_;
  std::vector<Connection> connections_;
  std::vector<HMODULE> libraries_;  // one entry per load
  std::vector<LoadFailure> failures_;
};

}  // namespace sbx
