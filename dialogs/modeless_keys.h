#pragma once
// The host's message loop never calls IsDialogMessage, so in a modeless dialog of the add-in Enter,
// Esc and Tab would do nothing. While any such dialog exists, a hook of this thread's message
// retrieval hands the dialog's keyboard messages to IsDialogMessage.
#include <windows.h>

#include <vector>

namespace qv {

class ModelessKeys {
 public:
  ModelessKeys() = default;
  ModelessKeys(const ModelessKeys&) = delete;
  ModelessKeys& operator=(const ModelessKeys&) = delete;
  ~ModelessKeys();

  // Call when the modeless dialog is created and when it goes (at WM_DESTROY at the latest). The
  // hook is in place while at least one dialog is added.
  void Add(HWND dialog);
  void Remove(HWND dialog);
  // Destroys every dialog added: the add-in's shutdown.
  void DestroyAll();

 private:
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam);
  void Unhook();

  std::vector<HWND> dialogs_;
  HHOOK hook_ = nullptr;
};

}  // namespace qv
