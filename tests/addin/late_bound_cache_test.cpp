// Host members are resolved by name once per object type, not at every call.
#include <windows.h>

#include "tests/sandbox/host/host_fixture.h"

namespace sbx::test {
namespace {

// Passes every call on to a host object and counts the names it is asked to resolve.
class CountingDispatch final : public IDispatch {
 public:
  CountingDispatch(IDispatch* inner, bool describes_type) : inner_(inner), describes_type_(describes_type) {}

  int names_resolved = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? this : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    if (!describes_type_) return E_NOTIMPL;
    return inner_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    ++names_resolved;
    return inner_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* arg_error) override {
    return inner_->Invoke(id, iid, locale, flags, params, result, exception, arg_error);
  }

 private:
  IDispatch* inner_;
  bool describes_type_;
};

class LateBoundCacheTest : public HostTest {};

TEST_F(LateBoundCacheTest, ObjectsOfOneTypeShareTheirResolvedNames) {
  StartWithModule(L"a\r\nb");
  host_->AddComponent(*host_->state().projects.front().Get(), kStdModule, L"Module2", L"c");
  const Variant first_module = CodeModule();
  const Variant components = Path(vbe(), {L"ActiveVBProject", L"VBComponents"});
  const Variant second_module = Get(Get(components.Object(), L"Item", {L"Module2"}).Object(), L"CodeModule");
  CountingDispatch one(first_module.Object(), true);
  CountingDispatch two(second_module.Object(), true);
  EXPECT_EQ(2, Get(&one, L"CountOfLines").Long());
  EXPECT_EQ(1, Get(&two, L"countoflines").Long());
  EXPECT_EQ(0, two.names_resolved);

  // An object that does not describe its type is asked every time.
  CountingDispatch anonymous(first_module.Object(), false);
  Get(&anonymous, L"CountOfLines");
  Get(&anonymous, L"CountOfLines");
  EXPECT_EQ(2, anonymous.names_resolved);
}

TEST_F(LateBoundCacheTest, AMemberAnObjectLacksStillFailsAsAnUnknownName) {
  StartWithModule(L"a");
  Get(Pane().Object(), L"TopLine");  // resolved for the type
  host_->RemoveMember(L"CodePane", L"TopLine");
  HRESULT hr = S_OK;
  try {
    Get(Pane().Object(), L"TopLine");
  } catch (const CallFailure& failure) {
    hr = failure.hr;
  }
  EXPECT_EQ(DISP_E_UNKNOWNNAME, hr);
}

}  // namespace
}  // namespace sbx::test
