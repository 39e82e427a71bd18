#pragma once
// A host object held by the add-in: the facade owns one reference and releases it with itself.
// Every member is reached late-bound, by name, through the DISPID cache, so one binary talks to
// either host; each member's name is written once, in its facade.
#include <windows.h>

#include <oaidl.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "win/com_ptr.h"
#include "win/late_bound.h"

namespace qv {

class HostObject {
 public:
  HostObject() = default;
  // An object result; Nothing gives an empty facade. Throws CallFailure for a value of another type.
  explicit HostObject(const Variant& value) : object_(value.Object()) {}
  explicit HostObject(IDispatch* object) : object_(object) {}

  IDispatch* get() const { return object_.Get(); }
  explicit operator bool() const { return static_cast<bool>(object_); }
  // The run-time type name ("CommandBarButton", "VBE", ...).
  std::wstring TypeName() const { return qv::TypeName(get()); }

 protected:
  // Calls on an empty facade fail as VB fails a call on Nothing (error 91).
  Variant Read(std::wstring_view member, std::initializer_list<Variant> args = {}) const {
    return Get(get(), member, args);
  }
  void Write(std::wstring_view member, const Variant& value) const { Put(get(), member, value); }
  Variant Call(std::wstring_view member, std::initializer_list<Variant> args = {}) const {
    return Invoke(get(), member, DISPATCH_METHOD, args);
  }
  // A collection's item by position (from 1) or name.
  Variant Item(const Variant& key) const;
  // The collection's item of that name; Nothing when it holds none (the hosts raise 9 for a name
  // they do not hold, Office's command bars 5). Any other failure goes to the caller.
  Variant FindItem(std::wstring_view name) const;

 private:
  ComPtr<IDispatch> object_;
};

}  // namespace qv
