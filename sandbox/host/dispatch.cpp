#include "sandbox/host/dispatch.h"

#include <cstring>

#include "win/files.h"
#include "win/this_module.h"
#include "sandbox/host/host_state.h"

namespace sbx {
namespace {

// The member that failed last on this thread (the host's UI thread), taken by the Invoke that called it.
thread_local std::optional<qv::VbError> t_raised;

bool GuidLess(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }

HRESULT FillException(EXCEPINFO* exception, const qv::VbError& error) {
  if (exception) {
    SysFreeString(exception->bstrSource);
    SysFreeString(exception->bstrDescription);
    SysFreeString(exception->bstrHelpFile);
    *exception = EXCEPINFO{};
    exception->bstrSource = Bstr(L"VBE");
    exception->bstrDescription = Bstr(error.description);
    // The host reports VB run-time errors (assumed): FACILITY_CONTROL and the error number.
    exception->scode = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<unsigned>(error.number));
  }
  return DISP_E_EXCEPTION;
}

VARIANT Coerced(const VARIANT& value, VARTYPE type) {
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, type))) throw qv::TypeMismatchError();
  return converted;
}

}  // namespace

HRESULT Raise(const qv::VbError& error) noexcept {
  try {
    t_raised = error;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, static_cast<unsigned>(error.number));
}

DispatchType::DispatchType(ComPtr<ITypeInfo> dispatch_info, ComPtr<ITypeInfo> vtable_info)
    : dispatch_info_(std::move(dispatch_info)), vtable_info_(std::move(vtable_info)) {
  BSTR name = nullptr;
  dispatch_info_->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  name_ = name ? name : L"";
  SysFreeString(name);
}

HRESULT DispatchType::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
  const HRESULT hr = DispGetIDsOfNames(vtable_info_.Get(), names, count, ids);
  if (SUCCEEDED(hr) && removed_.contains(ids[0])) {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT DispatchType::Invoke(void* target, const std::optional<qv::VbError>& refusal, DISPID id, WORD flags,
                             DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* arg_error) {
  // An out parameter: what the caller left in it is not ours to free, only what DispInvoke puts there.
  if (exception) *exception = EXCEPINFO{};
  if (removed_.contains(id)) return DISP_E_MEMBERNOTFOUND;
  ++calls_[id];
  if (refusal) return FillException(exception, *refusal);
  if (const auto fault = faults_.find(id); fault != faults_.end()) return FillException(exception, fault->second);
  t_raised.reset();
  const HRESULT hr = DispInvoke(target, vtable_info_.Get(), id, flags, params, result, exception, arg_error);
  if (SUCCEEDED(hr) && !t_raised && result && result->vt == VT_BSTR) chars_read_ += SysStringLen(result->bstrVal);
  if (!t_raised) return hr;
  const qv::VbError error = std::move(*t_raised);
  t_raised.reset();
  return FillException(exception, error);
}

DISPID DispatchType::IdOf(std::wstring_view member) const {
  std::wstring name(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(DispGetIDsOfNames(vtable_info_.Get(), names, 1, &id))) {
    throw qv::VbError(438, L"Объект не поддерживает это свойство или метод");
  }
  return id;
}

long DispatchType::Calls(std::wstring_view member) const {
  const auto found = calls_.find(IdOf(member));
  return found == calls_.end() ? 0 : found->second;
}

long DispatchType::TotalCalls() const {
  long total = 0;
  for (const auto& [id, count] : calls_) total += count;
  return total;
}

void DispatchType::InjectFault(std::wstring_view member, qv::VbError error) {
  faults_.insert_or_assign(IdOf(member), std::move(error));
}

TypeLibrary::TypeLibrary() : by_iid_(&GuidLess) {
  const std::wstring file = qv::ModuleFileName(qv::ThisModule());
  if (FAILED(LoadTypeLibEx(file.c_str(), REGKIND_NONE, library_.ReleaseAndGetAddressOf())))
    throw qv::VbError(48, L"Ошибка загрузки библиотеки типов");
  const UINT count = library_->GetTypeInfoCount();
  for (UINT i = 0; i < count; ++i) {
    ComPtr<ITypeInfo> info;
    TYPEKIND kind{};
    if (FAILED(library_->GetTypeInfoType(i, &kind)) || kind != TKIND_DISPATCH) continue;
    if (FAILED(library_->GetTypeInfo(i, info.ReleaseAndGetAddressOf()))) continue;
    // A dual interface: the vtable half, which DispInvoke calls through.
    HREFTYPE vtable_ref = 0;
    ComPtr<ITypeInfo> vtable_info;
    if (FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable_ref)) ||
        FAILED(info->GetRefTypeInfo(vtable_ref, vtable_info.ReleaseAndGetAddressOf()))) {
      continue;  // a pure dispinterface: the event interface, implemented by the add-in
    }
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) continue;
    const GUID iid = attributes->guid;
    info->ReleaseTypeAttr(attributes);
    types_.push_back(std::make_unique<DispatchType>(info, vtable_info));
    by_iid_.emplace(iid, types_.back().get());
  }
}

DispatchType& TypeLibrary::Of(REFIID iid) { return *by_iid_.at(iid); }

DispatchType* TypeLibrary::Named(std::wstring_view name) {
  for (const auto& type : types_) {
    if (qv::EqualsNoCase(type->name(), name)) return type.get();
  }
  return nullptr;
}

namespace {

long g_live_objects = 0;  // the host's UI thread only

}  // namespace

long LiveModelObjects() { return g_live_objects; }

DispatchCore::DispatchCore(std::shared_ptr<HostState> state, REFIID iid)
    : state_(std::move(state)), type_(&state_->types.Of(iid)) {
  ++g_live_objects;
}

DispatchCore::~DispatchCore() { --g_live_objects; }

HRESULT DispatchCore::GetTypeInfo(UINT index, ITypeInfo** info) const {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  *info = type_->dispatch_info();
  (*info)->AddRef();
  return S_OK;
}

HRESULT DispatchCore::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
  return type_->GetIDsOfNames(names, count, ids);
}

HRESULT DispatchCore::Invoke(void* target, const std::optional<qv::VbError>& refusal, DISPID id, WORD flags,
                             DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* arg_error) {
  return type_->Invoke(target, refusal, id, flags, params, result, exception, arg_error);
}

std::optional<qv::VbError> ClosedRefusal(const HostState& state) {
  if (state.closed) return qv::VbError(440, L"Ошибка автоматизации: среда закрыта");
  return std::nullopt;
}

BSTR Bstr(std::wstring_view text) { return SysAllocStringLen(text.data(), static_cast<UINT>(text.size())); }

bool IsMissing(const VARIANT& value) {
  return V_VT(&value) == VT_EMPTY || (V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND);
}

long LongArg(const VARIANT& value) {
  const VARIANT number = Coerced(value, VT_I4);
  return V_I4(&number);
}

bool BoolArg(const VARIANT& value) {
  const VARIANT flag = Coerced(value, VT_BOOL);
  return V_BOOL(&flag) != VARIANT_FALSE;
}

std::wstring TextArg(const VARIANT& value) {
  VARIANT text = Coerced(value, VT_BSTR);
  std::wstring result(V_BSTR(&text), SysStringLen(V_BSTR(&text)));
  VariantClear(&text);
  return result;
}

ItemKey ItemArg(const VARIANT& value) {
  const VARIANT* inner = V_VT(&value) == (VT_VARIANT | VT_BYREF) ? V_VARIANTREF(&value) : &value;
  if ((V_VT(inner) & VT_TYPEMASK) == VT_BSTR) return TextArg(*inner);
  return LongArg(*inner);
}

}  // namespace sbx
