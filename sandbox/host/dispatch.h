#pragma once
// IDispatch over the embedded type library: names without regard to case, optional and by-reference
// arguments through DispInvoke, VB-style errors in EXCEPINFO, per-member call counters and faults.
#include <windows.h>

#include <oaidl.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "kit/case_fold.h"
#include "kit/vb_error.h"
#include "win/com_ptr.h"
#include "host_idl.h"

namespace sbx {

using qv::ComPtr;

// One object type of the model (an interface of the type library), shared by all its objects.
class DispatchType {
 public:
  DispatchType(ComPtr<ITypeInfo> dispatch_info, ComPtr<ITypeInfo> vtable_info);

  const std::wstring& name() const { return name_; }
  ITypeInfo* dispatch_info() const { return dispatch_info_.Get(); }

  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
  // `refusal`: the object cannot be used (deleted, closed); reported like a member's error.
  HRESULT Invoke(void* target, const std::optional<qv::VbError>& refusal, DISPID id, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* exception, UINT* arg_error);

  // Test hooks, by member name (case-insensitive); an unknown name raises qv::VbError 438.
  long Calls(std::wstring_view member) const;
  long TotalCalls() const;
  // Characters of the texts its members have returned.
  long long CharsRead() const { return chars_read_; }
  void ResetCalls() {
    calls_.clear();
    chars_read_ = 0;
  }
  void RemoveMember(std::wstring_view member) { removed_.insert(IdOf(member)); }
  void InjectFault(std::wstring_view member, qv::VbError error);
  void ClearFaults() { faults_.clear(); }

 private:
  DISPID IdOf(std::wstring_view member) const;

  ComPtr<ITypeInfo> dispatch_info_;
  ComPtr<ITypeInfo> vtable_info_;
  std::wstring name_;
  std::unordered_map<DISPID, long> calls_;
  long long chars_read_ = 0;
  std::set<DISPID> removed_;
  std::map<DISPID, qv::VbError> faults_;
};

// The type library embedded in this program, never registered.
class TypeLibrary {
 public:
  TypeLibrary();
  DispatchType& Of(REFIID iid);
  // nullptr for a name that is no type of the model.
  DispatchType* Named(std::wstring_view name);
  const std::vector<std::unique_ptr<DispatchType>>& types() const { return types_; }

 private:
  ComPtr<ITypeLib> library_;
  std::map<GUID, DispatchType*, bool (*)(const GUID&, const GUID&)> by_iid_;
  std::vector<std::unique_ptr<DispatchType>> types_;
};

// Keeps the error for the Invoke that called the failing member; gives the HRESULT to return.
HRESULT Raise(const qv::VbError& error) noexcept;

// Runs a member's body; an exception becomes the member's error. No exception leaves a COM method.
template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (const qv::VbError& error) {
    return Raise(error);
  } catch (...) {
    return Raise(qv::VbError(51, L"Internal error"));
  }
}

class HostState;

// Reference counting and IDispatch of one model object; the object forwards its IUnknown and
// IDispatch methods here.
class DispatchCore {
 public:
  DispatchCore(std::shared_ptr<HostState> state, REFIID iid);
  DispatchCore(const DispatchCore&) = delete;
  DispatchCore& operator=(const DispatchCore&) = delete;
  ~DispatchCore();
  HostState& state() const { return *state_; }

  ULONG AddRef() { return ++refs_; }
  ULONG Release() { return --refs_; }  // the object deletes itself at 0
  HRESULT GetTypeInfo(UINT index, ITypeInfo** info) const;
  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
  HRESULT Invoke(void* target, const std::optional<qv::VbError>& refusal, DISPID id, WORD flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* exception, UINT* arg_error);

 private:
  std::shared_ptr<HostState> state_;
  DispatchType* type_;
  ULONG refs_ = 1;
};

// The model objects alive in this process, of every host. Once a host has shut down, any left are
// held by someone else: an add-in that kept a reference past its disconnection.
long LiveModelObjects();

// Base of the model objects with one interface. Created with one reference, held by ComPtr.
template <class Interface>
class DispatchObject : public Interface {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface)) {
      *out = static_cast<Interface*>(this);
    } else {
      *out = QueryMore(iid);
    }
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return core_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = core_.Release();
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    return core_.GetTypeInfo(index, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return core_.GetIDsOfNames(names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* arg_error) override {
    return core_.Invoke(static_cast<Interface*>(this), Refusal(), id, flags, params, result, exception, arg_error);
  }

  IDispatch* AsDispatch() { return static_cast<Interface*>(this); }

 protected:
  explicit DispatchObject(std::shared_ptr<HostState> state) : core_(std::move(state), __uuidof(Interface)) {}
  virtual ~DispatchObject() = default;

  HostState& state() const { return core_.state(); }
  // Why the object cannot be used now; checked before every member.
  virtual std::optional<qv::VbError> Refusal() const;
  // Interfaces beyond IDispatch and the object's own; not AddRef'd.
  virtual void* QueryMore(REFIID) { return nullptr; }

 private:
  DispatchCore core_;
};

// The host has shut down: every object still held by someone refuses.
std::optional<qv::VbError> ClosedRefusal(const HostState& state);

template <class Interface>
std::optional<qv::VbError> DispatchObject<Interface>::Refusal() const {
  return ClosedRefusal(state());
}

// A new object, whose first reference the pointer takes over.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
  return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

// An object result: AddRef'd, or nullptr for Nothing.
template <class T>
IDispatch* Share(const ComPtr<T>& object) {
  if (!object) return nullptr;
  IDispatch* dispatch = object->AsDispatch();
  dispatch->AddRef();
  return dispatch;
}

template <class T>
IDispatch* ShareObject(T& object) {
  IDispatch* dispatch = object.AsDispatch();
  dispatch->AddRef();
  return dispatch;
}

// Values in and out.
BSTR Bstr(std::wstring_view text);
inline VARIANT_BOOL VbBool(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }
bool IsMissing(const VARIANT& value);
// By-value coercion as the host does it; a value that does not convert raises 13.
long LongArg(const VARIANT& value);
bool BoolArg(const VARIANT& value);
std::wstring TextArg(const VARIANT& value);
// A collection index: a 1-based number or a name.
using ItemKey = std::variant<long, std::wstring>;
ItemKey ItemArg(const VARIANT& value);

// Finds the item with this key: a 1-based position, or a name compared without regard to case.
// Raises 9 when there is none.
template <class T, class NameOf>
const ComPtr<T>& FindItem(const std::vector<ComPtr<T>>& items, const ItemKey& key, NameOf name_of) {
  if (const long* index = std::get_if<long>(&key)) {
    if (*index >= 1 && static_cast<size_t>(*index) <= items.size()) return items[static_cast<size_t>(*index - 1)];
  } else {
    for (const auto& item : items) {
      if (qv::EqualsNoCase(name_of(*item.Get()), std::get<std::wstring>(key))) return item;
    }
  }
  throw qv::SubscriptError();
}

}  // namespace sbx
