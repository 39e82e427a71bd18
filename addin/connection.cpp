#include "addin/connection.h"

#include <optional>

namespace qv {
namespace {

std::optional<Connection>& Slot() {
  static std::optional<Connection> connection;
  return connection;
}

}  // namespace

void OpenConnection(Vbe vbe) { Slot().emplace(std::move(vbe)); }

void CloseConnection() noexcept { Slot().reset(); }

bool IsConnected() { return Slot().has_value(); }

Connection& CurrentConnection() {
  if (!Slot()) throw ObjectNotSetError();
  return *Slot();
}

}  // namespace qv
