#include "host/host_object.h"

namespace qv {
namespace {

constexpr long kInvalidCall = 5;
constexpr long kNoSuchItem = 9;

}  // namespace

Variant HostObject::FindItem(std::wstring_view name) const {
  try {
    return Read(L"Item", {name});
  } catch (const CallFailure& failure) {
    if (failure.number != kNoSuchItem && failure.number != kInvalidCall) throw;
    return {};
  }
}

}  // namespace qv
