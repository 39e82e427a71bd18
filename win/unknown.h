#pragma once
// IUnknown of small COM objects (enumerators, event sinks, the add-in's own objects): a plain reference
// count and one interface besides IUnknown. A new object starts with one reference.
#include <windows.h>

#include <oaidl.h>
#include <unknwn.h>

namespace qv {

template <class Interface>
class Unknown : public Interface {
 public:
  Unknown() = default;
  Unknown(const Unknown&) = delete;
  Unknown& operator=(const Unknown&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || Answers(iid) ? static_cast<Interface*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Unknown() = default;
  // The interfaces the object answers besides IUnknown.
  virtual bool Answers(REFIID iid) const { return iid == __uuidof(Interface); }

 private:
  ULONG refs_ = 1;
};

// An IDispatch-based object without type information, reached through its table or by DISPID only.
template <class Interface>
class NamelessDispatch : public Unknown<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
};

}  // namespace qv
