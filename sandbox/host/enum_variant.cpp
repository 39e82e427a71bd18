#include "sandbox/host/enum_variant.h"

#include <new>

#include "win/unknown.h"

namespace sbx {
namespace {

class VariantEnum final : public qv::Unknown<IEnumVARIANT> {
 public:
  VariantEnum(std::vector<ComPtr<IDispatch>> items, size_t next) : items_(std::move(items)), next_(next) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
    if (!items) return E_POINTER;
    ULONG given = 0;
    for (; given < count && next_ < items_.size(); ++given, ++next_) {
      VariantInit(&items[given]);
      V_VT(&items[given]) = VT_DISPATCH;
      V_DISPATCH(&items[given]) = items_[next_].Get();
      items_[next_]->AddRef();
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    const size_t left = items_.size() - next_;
    next_ += std::min<size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = new (std::nothrow) VariantEnum(items_, next_);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

 private:
  std::vector<ComPtr<IDispatch>> items_;
  size_t next_;
};

}  // namespace

IUnknown* NewEnum(const std::vector<IDispatch*>& items) {
  return new VariantEnum(std::vector<ComPtr<IDispatch>>(items.begin(), items.end()), 0);
}

}  // namespace sbx
