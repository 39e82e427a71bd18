#include "win/subclass.h"

#include <commctrl.h>

#include "win/failure_log.h"
#include "win/module_lifetime.h"

namespace qv {

Subclass::~Subclass() { Unhook(); }

bool Subclass::Hook(HWND window) {
  // Wine's SetWindowSubclass reports success even for a window that does not exist.
  if (window_ || !IsWindow(window) || !SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this), 0)) {
    return false;
  }
  window_ = window;
  AddRefModule();
  return true;
}

void Subclass::Unhook() {
  if (!window_) return;
  RemoveWindowSubclass(window_, Procedure, reinterpret_cast<UINT_PTR>(this));
  window_ = nullptr;
  ReleaseModule();
}

LRESULT CALLBACK Subclass::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id, DWORD_PTR) {
  auto* self = reinterpret_cast<Subclass*>(id);
  UINT new_message = message;
  WPARAM new_wparam = wparam;
  LPARAM new_lparam = lparam;
  std::optional<LRESULT> answer;
  const bool handled =
      Guarded(L"subclass procedure", [&] { answer = self->OnMessage(window, new_message, new_wparam, new_lparam); });
  if (message == WM_NCDESTROY) {
    // The last message goes on as it came; the system keeps the rest of the chain for this call.
    self->Unhook();
    return DefSubclassProc(window, message, wparam, lparam);
  }
  if (!handled) return DefSubclassProc(window, message, wparam, lparam);
  return answer ? *answer : DefSubclassProc(window, new_message, new_wparam, new_lparam);
}

}  // namespace qv
