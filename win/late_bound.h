#pragma once
// Calls through IDispatch by member name, the way the add-in reaches the host: GetIDsOfNames, then
// Invoke with the arguments in reverse order. Nothing here names a host interface.
#include <windows.h>

#include <oaidl.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "kit/vb_error.h"

namespace qv {

// A VARIANT that owns what it holds.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  Variant(long number);
  Variant(int number) : Variant(static_cast<long>(number)) {}
  Variant(double number);
  Variant(bool flag);
  Variant(const wchar_t* text) : Variant(std::wstring_view(text)) {}
  Variant(std::wstring_view text);
  Variant(const std::wstring& text) : Variant(std::wstring_view(text)) {}
  Variant(IDispatch* object);  // adds a reference
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(Variant other) noexcept;
  ~Variant() { VariantClear(&value_); }

  // An optional argument left out.
  static Variant Missing();
  // A by-reference Long output (VT_I4 | VT_BYREF); `target` must outlive the call.
  static Variant LongRef(long* target);
  static Variant BoolRef(VARIANT_BOOL* target);

  VARTYPE type() const { return V_VT(&value_); }
  // Coerced reads; a value that does not convert throws CallFailure.
  long Long() const;
  bool Bool() const;
  std::wstring Text() const;
  // The object, without a new reference; nullptr for Nothing.
  IDispatch* Object() const;

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }

 private:
  VARIANT value_;
};

// A failed call: the HRESULT, and for DISP_E_EXCEPTION the exception's scode. As a VbError it
// carries the host's VB error number and description, or the number VB gives the failure itself
// (438 for a missing member, 91 for a call on Nothing) with a Russian description.
struct CallFailure : VbError {
  // `member`: the member called, or what failed; for test messages only.
  CallFailure(HRESULT result, long exception_scode, std::wstring exception_description, std::wstring_view member = {});
  // The member, the HRESULT and the description, for test messages.
  const char* what() const noexcept override { return message_.c_str(); }
  // The VB error number for an exception of FACILITY_CONTROL, else 0.
  long VbNumber() const { return HRESULT_FACILITY(scode) == FACILITY_CONTROL ? HRESULT_CODE(scode) : 0; }

  HRESULT hr;
  long scode;

 private:
  std::string message_;
};

// Arguments in their natural order. A member's DISPID is asked for once per interface (the type
// description's IID) and then reused for every object of that type. Throws CallFailure.
Variant Invoke(IDispatch* object, std::wstring_view member, WORD flags, std::initializer_list<Variant> args = {});
// Property read or function call (DISPATCH_PROPERTYGET | DISPATCH_METHOD, as VB calls them).
Variant Get(IDispatch* object, std::wstring_view member, std::initializer_list<Variant> args = {});
void Put(IDispatch* object, std::wstring_view member, const Variant& value);
// A chain of parameterless reads: Path(vbe, {L"ActiveCodePane", L"CodeModule"}).
Variant Path(IDispatch* object, std::initializer_list<std::wstring_view> members);

// COM identity: the two pointers reach one object.
bool SameObject(IUnknown* a, IUnknown* b);

// The run-time type name: GetTypeInfo, then the documentation name of MEMBERID_NIL.
std::wstring TypeName(IDispatch* object);

}  // namespace qv
