#include "host/host_object.h"

namespace qv {
namespace {

constexpr long kInvalidCall = 5;
constexpr long kNoSuchItem = 9;

}  // namespace

Variant HostObject::Item(const Variant& key) const { return Read(L"Item", {key}); }

Variant HostObject::FindItem(std::wstring_view name) const {
  try {
    return Item(name);
  } catch (const CallFailure& failure) {
    if (failure.number != kNoSuchItem && failure.number != kInvalidCall) throw;
    return {};
  }
}

}  // namespace qv
