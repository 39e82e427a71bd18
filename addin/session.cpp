#include "addin/session.h"

#include <utility>

#include "kit/vb_error.h"

namespace qv {
namespace {

SessionOwner*& Current() {
  static SessionOwner* current = nullptr;
  return current;
}

}  // namespace

SessionOwner::SessionOwner() noexcept : previous_(std::exchange(Current(), this)) {}

SessionOwner::~SessionOwner() { Current() = previous_; }

Session& CurrentSession() {
  if (!Current()) throw ObjectNotSetError();
  return Current()->session;
}

HWND HostMainWindow() noexcept { return Current() ? Current()->session.hWndMain : nullptr; }

}  // namespace qv
