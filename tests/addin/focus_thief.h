#pragma once
#include <windows.h>

#include <string>

namespace sbx::test {

// A window of this thread with an edit control that takes the focus, as a dialog would.
class FocusThief {
 public:
  FocusThief()
      : frame_(CreateWindowExW(0, L"STATIC", L"Find", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, nullptr,
                               nullptr, nullptr, nullptr)),
        edit_(CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 200, 50, frame_, nullptr,
                              nullptr, nullptr)) {
    SetForegroundWindow(frame_);
    SetFocus(edit_);
  }
  FocusThief(const FocusThief&) = delete;
  FocusThief& operator=(const FocusThief&) = delete;
  ~FocusThief() { DestroyWindow(frame_); }

  HWND frame() const { return frame_; }
  std::wstring Text() const {
    wchar_t text[256]{};
    GetWindowTextW(edit_, text, 256);
    return text;
  }

 private:
  HWND frame_;
  HWND edit_;
};

}  // namespace sbx::test
