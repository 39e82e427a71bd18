#include "win/late_bound.h"

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "kit/case_fold.h"
#include "win/code_page.h"
#include "win/com_ptr.h"

namespace qv {
namespace {

Variant Converted(const VARIANT& value, VARTYPE type) {
  Variant converted;
  const HRESULT hr = VariantChangeType(converted.get(), const_cast<VARIANT*>(&value), 0, type);
  if (FAILED(hr)) throw CallFailure(hr, 0, L"", L"conversion");
  return converted;
}

std::string Utf8(std::wstring_view text) { return NarrowText(CP_UTF8, text); }

// The number VB reports for a failed late-bound call.
long VbNumberOf(HRESULT hr, long scode) {
  if (hr == DISP_E_EXCEPTION && HRESULT_FACILITY(scode) == FACILITY_CONTROL) return HRESULT_CODE(scode);
  if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) return 438;
  if (hr == E_POINTER) return 91;
  if (hr == DISP_E_TYPEMISMATCH) return 13;
  if (hr == DISP_E_OVERFLOW) return 6;
  return 5;
}

// The user reads the description in a Russian box: the host's own, else what VB would say, else
// the HRESULT after a Russian lead.
std::wstring DescriptionOf(long number, HRESULT code, std::wstring host_description) {
  if (!host_description.empty()) return host_description;
  switch (number) {
    case 5:
      return InvalidCallError().description;
    case 6:
      return OverflowError().description;
    case 9:
      return SubscriptError().description;
    case 13:
      return TypeMismatchError().description;
    case 91:
      return ObjectNotSetError().description;
    case 438:
      return L"Объект не поддерживает это свойство или метод";
    default:
      break;
  }
  wchar_t text[16];
  std::swprintf(text, std::size(text), L"0x%08lX", static_cast<unsigned long>(code));
  return L"Ошибка вызова объекта приложения, код " + std::wstring(text);
}

// The object's type description; empty when it gives none.
ComPtr<ITypeInfo> TypeInfoOf(IDispatch* object) {
  ComPtr<ITypeInfo> info;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.ReleaseAndGetAddressOf()))) info.Reset();
  return info;
}

// The interface that describes the object's members. An interface's DISPIDs never change, so every
// object of one type shares them; nullopt when the object does not say which interface it is.
std::optional<GUID> InterfaceOf(IDispatch* object) {
  const ComPtr<ITypeInfo> info = TypeInfoOf(object);
  if (!info) return std::nullopt;
  std::optional<GUID> iid;
  TYPEATTR* attributes = nullptr;
  if (SUCCEEDED(info->GetTypeAttr(&attributes)) && attributes) {
    if (!IsEqualGUID(attributes->guid, GUID_NULL)) iid = attributes->guid;
    info->ReleaseTypeAttr(attributes);
  }
  return iid;
}

// A member of an interface, by name without regard to case.
struct MemberKey {
  GUID iid;
  std::wstring name;

  bool operator<(const MemberKey& other) const {
    const int by_iid = std::memcmp(&iid, &other.iid, sizeof iid);
    return by_iid != 0 ? by_iid < 0 : name < other.name;
  }
};

// The DISPIDs resolved so far, so that a timer tick does not ask the host for names again. Only the
// host's UI thread calls through here.
std::map<MemberKey, DISPID>& ResolvedIds() {
  static std::map<MemberKey, DISPID> ids;
  return ids;
}

DISPID ResolveId(IDispatch* object, std::wstring& name) {
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw CallFailure(hr, 0, L"", name);
  return id;
}

}  // namespace

CallFailure::CallFailure(HRESULT result, long exception_scode, std::wstring exception_description,
                         std::wstring_view member)
    : VbError(VbNumberOf(result, exception_scode), L""), hr(result), scode(exception_scode) {
  // A host exception without words: its own code says more than DISP_E_EXCEPTION.
  description = DescriptionOf(number, hr == DISP_E_EXCEPTION ? scode : hr, std::move(exception_description));
  char codes[64];
  std::snprintf(codes, sizeof codes, " failed: hr 0x%08lX scode 0x%08lX ", static_cast<unsigned long>(hr),
                static_cast<unsigned long>(scode));
  message_ = Utf8(member) + codes + Utf8(description);
}

Variant::Variant(long number) : Variant() {
  V_VT(&value_) = VT_I4;
  V_I4(&value_) = number;
}

Variant::Variant(double number) : Variant() {
  V_VT(&value_) = VT_R8;
  V_R8(&value_) = number;
}

Variant::Variant(bool flag) : Variant() {
  V_VT(&value_) = VT_BOOL;
  V_BOOL(&value_) = flag ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(std::wstring_view text) : Variant() {
  V_VT(&value_) = VT_BSTR;
  V_BSTR(&value_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

Variant::Variant(IDispatch* object) : Variant() {
  V_VT(&value_) = VT_DISPATCH;
  V_DISPATCH(&value_) = object;
  if (object) object->AddRef();
}

Variant::Variant(const Variant& other) : Variant() { VariantCopy(&value_, const_cast<VARIANT*>(&other.value_)); }

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

Variant& Variant::operator=(Variant other) noexcept {
  std::swap(value_, other.value_);
  return *this;
}

Variant Variant::Missing() {
  Variant missing;
  V_VT(&missing.value_) = VT_ERROR;
  V_ERROR(&missing.value_) = DISP_E_PARAMNOTFOUND;
  return missing;
}

Variant Variant::LongRef(long* target) {
  Variant reference;
  V_VT(&reference.value_) = VT_I4 | VT_BYREF;
  V_I4REF(&reference.value_) = target;
  return reference;
}

Variant Variant::BoolRef(VARIANT_BOOL* target) {
  Variant reference;
  V_VT(&reference.value_) = VT_BOOL | VT_BYREF;
  V_BOOLREF(&reference.value_) = target;
  return reference;
}

long Variant::Long() const { return V_I4(Converted(value_, VT_I4).get()); }

bool Variant::Bool() const { return V_BOOL(Converted(value_, VT_BOOL).get()) != VARIANT_FALSE; }

std::wstring Variant::Text() const {
  const Variant text = Converted(value_, VT_BSTR);
  return std::wstring(V_BSTR(text.get()), SysStringLen(V_BSTR(text.get())));
}

IDispatch* Variant::Object() const {
  if (V_VT(&value_) == VT_DISPATCH) return V_DISPATCH(&value_);
  if (V_VT(&value_) == VT_EMPTY) return nullptr;
  throw CallFailure(DISP_E_TYPEMISMATCH, 0, L"", L"not an object");
}

Variant Invoke(IDispatch* object, std::wstring_view member, WORD flags, std::initializer_list<Variant> args) {
  if (!object) throw CallFailure(E_POINTER, 0, L"", member);
  std::wstring name(member);
  const std::optional<GUID> iid = InterfaceOf(object);
  const MemberKey key{iid.value_or(GUID_NULL), FoldCase(name)};
  auto& ids = ResolvedIds();
  const auto cached = iid ? ids.find(key) : ids.end();
  const bool known = cached != ids.end();
  const DISPID id = known ? cached->second : ResolveId(object, name);
  if (iid && !known) ids.emplace(key, id);

  std::vector<VARIANT> reversed;
  for (auto arg = args.end(); arg != args.begin();) reversed.push_back(*(--arg)->get());  // borrowed, not copied
  DISPID put_id = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put_id;
    params.cNamedArgs = 1;
  }
  Variant result;
  EXCEPINFO exception{};
  UINT arg_error = 0;
  const HRESULT hr =
      object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.get(), &exception, &arg_error);
  if (FAILED(hr)) {
    std::wstring description = exception.bstrDescription ? exception.bstrDescription : L"";
    const long scode = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    if (hr == DISP_E_MEMBERNOTFOUND && known) {
      // This object lacks a member its interface has: its own answer for the name is the failure.
      ids.erase(key);
      ResolveId(object, name);
    }
    throw CallFailure(hr, scode, std::move(description), name);
  }
  return result;
}

Variant Get(IDispatch* object, std::wstring_view member, std::initializer_list<Variant> args) {
  return Invoke(object, member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

void Put(IDispatch* object, std::wstring_view member, const Variant& value) {
  Invoke(object, member, DISPATCH_PROPERTYPUT, {value});
}

Variant Path(IDispatch* object, std::initializer_list<std::wstring_view> members) {
  Variant current(object);
  for (const std::wstring_view member : members) current = Get(current.Object(), member);
  return current;
}

bool SameObject(IUnknown* a, IUnknown* b) {
  const ComPtr<IUnknown> identity_a = ComPtr<IUnknown>(a).As<IUnknown>();
  return identity_a && identity_a == ComPtr<IUnknown>(b).As<IUnknown>();
}

std::wstring TypeName(IDispatch* object) {
  const ComPtr<ITypeInfo> info = object ? TypeInfoOf(object) : nullptr;
  if (!info) return {};
  BSTR name = nullptr;
  info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  std::wstring result = name ? name : L"";
  SysFreeString(name);
  return result;
}

}  // namespace qv
