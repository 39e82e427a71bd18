#include "library/connection_parts.h"

#include <optional>

#include "kit/vb_error.h"

namespace qv {
namespace {

std::optional<ConnectionParts>& Slot() {
  static std::optional<ConnectionParts> parts;
  return parts;
}

}  // namespace

void OpenConnectionParts() { Slot().emplace(); }

void CloseConnectionParts() noexcept { Slot().reset(); }

ConnectionParts& CurrentParts() {
  if (!Slot()) throw ObjectNotSetError();
  return *Slot();
}

}  // namespace qv
