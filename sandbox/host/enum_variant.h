#pragma once
// _NewEnum of the collections: an IEnumVARIANT over a snapshot, so that deleting items while
// walking them is safe (assumed of the hosts).
#include <windows.h>

#include <oaidl.h>

#include <vector>

#include "sandbox/host/dispatch.h"

namespace sbx {

// Takes a reference on each item; gives an enumerator with one reference.
IUnknown* NewEnum(const std::vector<IDispatch*>& items);

template <class T>
IUnknown* NewEnum(const std::vector<ComPtr<T>>& items) {
  std::vector<IDispatch*> snapshot;
  for (const auto& item : items) snapshot.push_back(item->AsDispatch());
  return NewEnum(snapshot);
}

}  // namespace sbx
