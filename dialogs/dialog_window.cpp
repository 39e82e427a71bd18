#include "dialogs/dialog_window.h"

#include "win/failure_log.h"
#include "win/module_lifetime.h"
#include "win/this_module.h"

namespace qv {

DialogWindow::~DialogWindow() {
  if (!hwnd_) return;
  const HWND window = hwnd_;
  Unbind();
  DestroyWindow(window);
}

bool DialogWindow::Create(int template_id, HWND owner) {
  const HWND window = CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(template_id), owner, Procedure,
                                         reinterpret_cast<LPARAM>(this));
  return window != nullptr;
}

void DialogWindow::RunModal() {
  if (!hwnd_) return;
  const HWND owner = GetWindow(hwnd_, GW_OWNER);
  const bool owner_was_enabled = owner && !EnableWindow(owner, FALSE);
  modal_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  MSG message;
  while (modal_ && hwnd_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // the caller's loop must see it too
      break;
    }
    if (got < 0) break;
    if (hwnd_ && IsDialogMessageW(hwnd_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
  // The owner gets the activation back before the dialog hides, or another window would.
  if (owner_was_enabled) EnableWindow(owner, TRUE);
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void DialogWindow::EndModal() {
  modal_ = false;
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

INT_PTR DialogWindow::OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

void DialogWindow::Unbind() {
  SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
  hwnd_ = nullptr;
  ReleaseModule();
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogWindow*>(lparam);
    self->hwnd_ = window;
    SetWindowLongPtrW(window, DWLP_USER, lparam);
    AddRefModule();  // the procedure and the object live in this module
    Guarded(L"dialog init", [self] { self->OnInit(); });
    return TRUE;
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  INT_PTR result = FALSE;
  Guarded(L"dialog procedure", [&] {
    if (message == WM_COMMAND) {
      self->OnCommand(LOWORD(wparam), HIWORD(wparam));
      result = TRUE;
    } else {
      result = self->OnMessage(message, wparam, lparam);
    }
  });
  if (message == WM_NCDESTROY) {
    self->Unbind();
    Guarded(L"dialog destroyed", [self] { self->OnWindowDestroyed(); });
  }
  return result;
}

}  // namespace qv
