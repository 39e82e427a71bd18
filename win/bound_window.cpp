#include "win/bound_window.h"

#include "win/failure_log.h"
#include "win/module_lifetime.h"
#include "win/this_module.h"

namespace qv {
namespace {

void Register(const WindowClass& window_class, WNDPROC procedure) {
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof registered;
  if (GetClassInfoExW(ThisModule(), window_class.name, &registered)) return;
  registered.style = window_class.style;
  registered.lpfnWndProc = procedure;
  registered.hInstance = ThisModule();
  registered.hCursor = LoadCursorW(nullptr, window_class.cursor);
  registered.hbrBackground = window_class.background;
  registered.lpszClassName = window_class.name;
  RegisterClassExW(&registered);
}

}  // namespace

void UnregisterWindowClass(const wchar_t* name) { UnregisterClassW(name, ThisModule()); }

BoundWindow::~BoundWindow() {
  if (!hwnd_) return;
  const HWND window = hwnd_;
  Unbind();
  DestroyWindow(window);
}

bool BoundWindow::Create(DWORD ex_style, const WindowClass& window_class, const wchar_t* title, DWORD style,
                    WindowPlace place, HWND parent) {
  Register(window_class, Procedure);
  const HWND window = CreateWindowExW(ex_style, window_class.name, title, style, place.x, place.y, place.width,
                                      place.height, parent, nullptr, ThisModule(), this);
  if (!window && hwnd_) Unbind();  // refused after WM_NCCREATE
  return window != nullptr;
}

bool BoundWindow::CreateMdiChild(HWND client, const WindowClass& window_class, const wchar_t* title, DWORD style) {
  Register(window_class, Procedure);
  const HWND window = CreateMDIWindowW(window_class.name, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       CW_USEDEFAULT, client, ThisModule(), reinterpret_cast<LPARAM>(this));
  if (!window && hwnd_) Unbind();
  return window != nullptr;
}

LRESULT BoundWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) { return Default(message, wparam, lparam); }

LRESULT BoundWindow::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return mdi_child_ ? DefMDIChildProcW(hwnd_, message, wparam, lparam) : DefWindowProcW(hwnd_, message, wparam, lparam);
}

void BoundWindow::Bind(HWND window, bool mdi_child) {
  hwnd_ = window;
  mdi_child_ = mdi_child;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  AddRefModule();  // the procedure and the object live in this module
}

void BoundWindow::Unbind() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  ReleaseModule();
}

LRESULT CALLBACK BoundWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    // An MDI child's creation parameter comes wrapped in the client's MDICREATESTRUCT.
    const bool mdi_child = (create->dwExStyle & WS_EX_MDICHILD) != 0;
    void* param = mdi_child
                      ? reinterpret_cast<void*>(static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams)->lParam)
                      : create->lpCreateParams;
    if (param) static_cast<BoundWindow*>(param)->Bind(window, mdi_child);
  }
  auto* self = reinterpret_cast<BoundWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  LRESULT result = 0;
  Guarded(L"window procedure", [&] { result = self->OnMessage(message, wparam, lparam); });
  if (message == WM_NCDESTROY) {
    self->Unbind();
    Guarded(L"window destroyed", [self] { self->OnWindowDestroyed(); });
  }
  return result;
}

}  // namespace qv
