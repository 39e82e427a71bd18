#include "sandbox/host/addin_loader.h"

#include <algorithm>
#include <optional>

#include "kit/case_fold.h"
#include "win/registry.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/vbe.h"

namespace sbx {
namespace {

// The hosts find classes registered per user as COM on Windows does; Wine's HKEY_CLASSES_ROOT leaves
// HKCU\Software\Classes out, so the per-user view is read first and the merged one after it.
std::optional<std::wstring> ClassesValue(const std::wstring& key) {
  if (auto value = qv::GetRegValue(HKEY_CURRENT_USER, L"Software\\Classes\\" + key, L"")) return value;
  return qv::GetRegValue(HKEY_CLASSES_ROOT, key, L"");
}

// The `custom` argument: a one-dimensional VARIANT array without elements (assumed).
class EmptyCustom {
 public:
  EmptyCustom() : array_(SafeArrayCreateVector(VT_VARIANT, 0, 0)) {}
  EmptyCustom(const EmptyCustom&) = delete;
  EmptyCustom& operator=(const EmptyCustom&) = delete;
  ~EmptyCustom() { SafeArrayDestroy(array_); }
  SAFEARRAY** get() { return &array_; }

 private:
  SAFEARRAY* array_;
};

template <class Fn>
Fn Export(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace

HRESULT RegisterServer(const std::wstring& library, bool unregister) {
  const HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) return HRESULT_FROM_WIN32(GetLastError());
  using RegisterFn = HRESULT(WINAPI*)();
  const auto entry = Export<RegisterFn>(module, unregister ? "DllUnregisterServer" : "DllRegisterServer");
  const HRESULT hr = entry ? entry() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  FreeLibrary(module);
  return hr;
}

AddInObject::AddInObject(std::shared_ptr<HostState> state, std::wstring prog_id, std::wstring guid,
                         std::wstring description)
    : DispatchObject(std::move(state)),
      prog_id_(std::move(prog_id)),
      guid_(std::move(guid)),
      description_(std::move(description)) {
  VariantInit(&object_);
}

HRESULT AddInObject::get_ProgId(BSTR* result) {
  return Guarded([&] { *result = Bstr(prog_id_); });
}

HRESULT AddInObject::get_Guid(BSTR* result) {
  return Guarded([&] { *result = Bstr(guid_); });
}

HRESULT AddInObject::get_Description(BSTR* result) {
  return Guarded([&] { *result = Bstr(description_); });
}

HRESULT AddInObject::put_Description(BSTR value) {
  return Guarded([&] { description_.assign(value, SysStringLen(value)); });
}

HRESULT AddInObject::get_Connect(VARIANT_BOOL* result) {
  return Guarded([&] { *result = VbBool(connected_); });
}

HRESULT AddInObject::get_Object(VARIANT* result) {
  return Guarded([&] {
    VariantInit(result);
    VariantCopy(result, &object_);
  });
}

HRESULT AddInObject::put_Object(VARIANT value) {
  return Guarded([&] { VariantCopy(&object_, &value); });
}

void AddInObject::Disconnected() {
  connected_ = false;
  VariantClear(&object_);
}

AddInLoader::AddInLoader(std::shared_ptr<HostState> state) : state_(std::move(state)) {}

AddInLoader::~AddInLoader() { ShutDown(); }

std::wstring AddInLoader::AddinsKey() const {
  if (!state_->IsVba()) return L"Software\\Microsoft\\Visual Basic\\6.0\\Addins";
  return sizeof(void*) == 8 ? L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins64"
                            : L"Software\\Microsoft\\VBA\\VBE\\6.0\\Addins";
}

std::vector<std::wstring> AddInLoader::RegisteredWith(DWORD load_behavior_bit) const {
  std::vector<std::wstring> prog_ids;
  const std::wstring root = AddinsKey();
  qv::RegKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, KEY_READ, key.out()) != ERROR_SUCCESS) return prog_ids;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(name));
    if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const auto behavior = qv::GetRegValue(HKEY_CURRENT_USER, root + L"\\" + name, L"LoadBehavior");
    if (behavior && (std::wcstoul(behavior->c_str(), nullptr, 10) & load_behavior_bit)) prog_ids.emplace_back(name);
  }
  return prog_ids;
}

void AddInLoader::StartUp() {
  const size_t before = connections_.size();
  for (const std::wstring& prog_id : RegisteredWith(2)) Connect(prog_id, ext_cm_Startup);
  EmptyCustom custom;
  for (size_t i = before; i < connections_.size(); ++i) connections_[i].add_in->OnStartupComplete(custom.get());
}

void AddInLoader::StartFromCommandLine() {
  for (const std::wstring& prog_id : RegisteredWith(4)) Connect(prog_id, ext_cm_CommandLine);
}

bool AddInLoader::ConnectFromManager(std::wstring_view prog_id) {
  if (!Connect(prog_id, ext_cm_AfterStartup)) return false;
  NotifyAll(&IDTExtensibility2::OnAddInsUpdate);
  return true;
}

bool AddInLoader::DisconnectFromManager(std::wstring_view prog_id) {
  const auto at = std::find_if(connections_.begin(), connections_.end(),
                               [&](const Connection& c) { return qv::EqualsNoCase(c.prog_id, prog_id); });
  if (at == connections_.end()) return false;
  Connection connection = std::move(*at);
  connections_.erase(at);
  Disconnect(connection, ext_dm_UserClosed);
  FreeUnusedLibraries();
  NotifyAll(&IDTExtensibility2::OnAddInsUpdate);
  return true;
}

bool AddInLoader::Connect(std::wstring_view prog_id, ext_ConnectMode mode) {
  if (IsConnected(prog_id)) return true;
  const std::wstring name(prog_id);
  const auto clsid_text = ClassesValue(name + L"\\CLSID");
  CLSID clsid{};
  if (!clsid_text || FAILED(CLSIDFromString(clsid_text->c_str(), &clsid)))
    return Fail(prog_id, L"class", REGDB_E_CLASSNOTREG);
  const auto server = ClassesValue(L"CLSID\\" + *clsid_text + L"\\InprocServer32");
  if (!server) return Fail(prog_id, L"server", REGDB_E_CLASSNOTREG);
  const HMODULE library = LoadLibraryExW(server->c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library) return Fail(prog_id, L"library", HRESULT_FROM_WIN32(GetLastError()));
  libraries_.push_back(library);

  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  const auto get_class_object = Export<GetClassObjectFn>(library, "DllGetClassObject");
  ComPtr<IClassFactory> factory;
  HRESULT hr = get_class_object
                   ? get_class_object(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.ReleaseAndGetAddressOf()))
                   : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  ComPtr<IUnknown> object;
  if (SUCCEEDED(hr))
    hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(object.ReleaseAndGetAddressOf()));
  factory.Reset();
  if (FAILED(hr)) {
    FreeUnusedLibraries();
    return Fail(prog_id, L"factory", hr);
  }
  ComPtr<IDTExtensibility2> add_in;
  hr = object->QueryInterface(IID_IDTExtensibility2, reinterpret_cast<void**>(add_in.ReleaseAndGetAddressOf()));
  object.Reset();
  if (FAILED(hr)) {
    FreeUnusedLibraries();
    return Fail(prog_id, L"interface", hr);
  }

  const std::wstring description =
      qv::GetRegValue(HKEY_CURRENT_USER, AddinsKey() + L"\\" + name, L"Description").value_or(L"");
  auto add_in_object = Make<AddInObject>(state_, name, *clsid_text, description);
  EmptyCustom custom;
  hr = add_in->OnConnection(state_->vbe->AsDispatch(), mode, add_in_object->AsDispatch(), custom.get());
  if (FAILED(hr)) {
    add_in_object->Disconnected();
    add_in.Reset();
    FreeUnusedLibraries();
    return Fail(prog_id, L"OnConnection", hr);
  }
  connections_.push_back({name, std::move(add_in), std::move(add_in_object)});
  return true;
}

void AddInLoader::Disconnect(Connection& connection, ext_DisconnectMode mode) {
  EmptyCustom custom;
  connection.add_in->OnDisconnection(mode, custom.get());
  connection.add_in_object->Disconnected();
  connection.add_in.Reset();
}

void AddInLoader::ShutDown() {
  NotifyAll(&IDTExtensibility2::OnBeginShutdown);
  std::vector<Connection> connections = std::move(connections_);
  connections_.clear();
  for (Connection& connection : connections) Disconnect(connection, ext_dm_HostShutdown);
  connections.clear();
  FreeUnusedLibraries();
  CoFreeUnusedLibraries();
}

void AddInLoader::FreeUnusedLibraries() {
  using CanUnloadNowFn = HRESULT(WINAPI*)();
  std::erase_if(libraries_, [](HMODULE library) {
    const auto can_unload = Export<CanUnloadNowFn>(library, "DllCanUnloadNow");
    if (!can_unload || can_unload() != S_OK) return false;
    FreeLibrary(library);
    return true;
  });
}

std::vector<std::wstring> AddInLoader::Connected() const {
  std::vector<std::wstring> prog_ids;
  for (const Connection& connection : connections_) prog_ids.push_back(connection.prog_id);
  return prog_ids;
}

bool AddInLoader::IsConnected(std::wstring_view prog_id) const {
  return std::any_of(connections_.begin(), connections_.end(),
                     [&](const Connection& c) { return qv::EqualsNoCase(c.prog_id, prog_id); });
}

void AddInLoader::NotifyAll(HRESULT (STDMETHODCALLTYPE IDTExtensibility2::*method)(SAFEARRAY**)) {
  EmptyCustom custom;
  for (const Connection& connection : connections_) (connection.add_in.Get()->*method)(custom.get());
}

bool AddInLoader::Fail(std::wstring_view prog_id, const wchar_t* step, HRESULT result) {
  failures_.push_back({std::wstring(prog_id), step, result});
  return false;
}

}  // namespace sbx
