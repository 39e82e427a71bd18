#pragma once
// Base of the host's named collections: Item (default member; a 1-based position or a name compared
// without regard to case), Count and _NewEnum over the items listed now.
#include <memory>
#include <vector>

#include "sandbox/host/dispatch.h"
#include "sandbox/host/enum_variant.h"

namespace sbx {

template <class Interface, class Item, auto NameOf>
class CollectionObject : public DispatchObject<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IDispatch** result) override {
    return Guarded([&] {
      Refresh();
      *result = Share(FindItem(items_, ItemArg(index), [](const Item& item) { return (item.*NameOf)(); }));
    });
  }
  HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override {
    return Guarded([&] {
      Refresh();
      *result = static_cast<LONG>(items_.size());
    });
  }
  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** result) override {
    return Guarded([&] {
      Refresh();
      *result = NewEnum(items_);
    });
  }

  const std::vector<ComPtr<Item>>& items() const { return items_; }

 protected:
  using DispatchObject<Interface>::DispatchObject;
  // A collection computed from elsewhere lists its items afresh here.
  virtual void Refresh() {}

  std::vector<ComPtr<Item>> items_;
};

}  // namespace sbx
