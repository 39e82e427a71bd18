#pragma once
// A window whose messages go to a C++ object. The object is bound at WM_NCCREATE, from the creation
// parameter, and kept in GWLP_USERDATA until WM_NCDESTROY, so it sees every message from the first
// one that can name it. (An overlapped window's first WM_GETMINMAXINFO comes before WM_NCCREATE,
// with no creation parameter: the default procedure answers that one.) No exception leaves the
// window procedure: a failing handler is recorded and the message is answered 0.
#include <windows.h>

namespace qv {

// A class of this module's windows; registered on the first window of its name.
struct WindowClass {
  const wchar_t* name;
  UINT style = 0;
  const wchar_t* cursor = IDC_ARROW;  // a system cursor
  HBRUSH background = nullptr;
};

// Where a window goes and its size; CW_USEDEFAULT leaves them to the system.
struct WindowPlace {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Unregisters a class of this module; no window of it may be left.
void UnregisterWindowClass(const wchar_t* name);

class BoundWindow {
 public:
  BoundWindow() = default;
  BoundWindow(const BoundWindow&) = delete;
  BoundWindow& operator=(const BoundWindow&) = delete;
  // Destroys the window if it is still there; its last messages go to the default procedure.
  virtual ~BoundWindow();

  // False when the window could not be created.
  bool Create(DWORD ex_style, const WindowClass& window_class, const wchar_t* title, DWORD style, WindowPlace place,
              HWND parent);
  // An MDI child of `client`, at the place the client chooses.
  bool CreateMdiChild(HWND client, const WindowClass& window_class, const wchar_t* title, DWORD style);

  // Null before creation and after WM_NCDESTROY.
  HWND hwnd() const { return hwnd_; }

 protected:
  // Every message of the window while it is bound; the default answer is Default's.
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // The system's default procedure: DefMDIChildProc for an MDI child, else DefWindowProc.
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);
  // After WM_NCDESTROY, when the object has no window any more: it may delete itself here.
  virtual void OnWindowDestroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Bind(HWND window, bool mdi_child);
  void Unbind();

  HWND hwnd_ = nullptr;
  bool mdi_child_ = false;
};

}  // namespace qv
