#pragma once
// Records every message box this thread shows (caption, text, style) and answers it from a script,
// so that no test waits for a click. Message boxes are recognised as "#32770" dialogs with a text
// and buttons when they activate, and read once their modal loop runs (a thread timer), when the
// default button has the focus; the style is rebuilt from the buttons and the icon shown.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace sbx {

struct MessageBoxRecord {
  std::wstring caption;
  std::wstring text;
  UINT style = 0;  // MB_OK..MB_CANCELTRYCONTINUE | MB_ICON* | MB_DEFBUTTONn
  int answer = 0;  // the button pressed: IDOK, IDYES, ...
};

class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
  ~MessageBoxWatcher();

  // The next boxes get these answers in turn; a box without that button, or one after the script
  // ran out, gets its default button.
  void Answer(int button) { script_.push_back(button); }
  const std::vector<MessageBoxRecord>& boxes() const { return boxes_; }

 private:
  static LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam);
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD);
  void Handle(HWND dialog);

  HHOOK hook_ = nullptr;
  std::vector<HWND> activated_;
  std::deque<int> script_;
  std::vector<MessageBoxRecord> boxes_;
};

}  // namespace sbx
