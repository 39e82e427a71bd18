#pragma once
// A dialog box of this module, made from a template of its resources, whose messages go to a C++
// object bound at WM_INITDIALOG. Creating the window and running it modally are separate steps, so
// a test can drive a created dialog with messages. No exception leaves the dialog procedure: a
// failing handler is recorded and the message counts as not handled.
#include <windows.h>

namespace qv {

class DialogWindow {
 public:
  DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  // Destroys the window if it is still there.
  virtual ~DialogWindow();

  // Creates the dialog hidden (its template has no WS_VISIBLE) and owned by `owner`. False when it
  // cannot be created.
  bool Create(int template_id, HWND owner);
  // Shows the dialog and runs its messages, the owner disabled, until EndModal or the window goes.
  void RunModal();

  // Null before creation and after WM_NCDESTROY.
  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  // WM_INITDIALOG, bound already.
  virtual void OnInit() {}
  // WM_COMMAND of a control or a key.
  virtual void OnCommand(int id, int code) = 0;
  // Every other message; a result for the dialog procedure, FALSE when the default should act.
  virtual INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // After WM_NCDESTROY, when the object has no window any more: it may delete itself here.
  virtual void OnWindowDestroyed() {}
  // Hides the dialog and ends RunModal; the controls stay readable.
  void EndModal();

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Unbind();

  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

}  // namespace qv
