#pragma once
// A hook of one window ahead of its procedure, on the system's subclass chain (SetWindowSubclass),
// which any number of hooks of any module share without breaking each other: each can go in any
// order and the chain stays whole.
//
// The hook's handler sees every message first. It may rewrite the message and its parameters in
// place, then return nothing: the rest of the chain sees the rewritten message, once. Or it answers
// the message itself by returning the result, and the rest of the chain never sees it. WM_NCDESTROY
// always goes on down the chain, and then the hook removes itself.
//
// While hooked, the object holds a module reference: its procedure is this module's code. Hook,
// unhook and destroy it on the window's thread; never delete it inside its own handler.
#include <windows.h>

#include <optional>

namespace qv {

class Subclass {
 public:
  Subclass() = default;
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;
  virtual ~Subclass();

  // False when this object hooks a window already, or the system refuses.
  bool Hook(HWND window);
  // Takes the hook out of the chain; nothing when it is not hooked.
  void Unhook();
  bool Hooked() const { return window_ != nullptr; }
  HWND window() const { return window_; }

 protected:
  // An exception from here is recorded and the message goes on as it came.
  virtual std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                    DWORD_PTR data);

  HWND window_ = nullptr;
};

}  // namespace qv
