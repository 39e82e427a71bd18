#pragma once
// The clipboard, opened by this thread for the life of one object.
#include <windows.h>

namespace qv {

class OpenedClipboard {
 public:
  // Opened for `owner` (null for no window) in one try.
  explicit OpenedClipboard(HWND owner);
  // Opened for a hidden window of its own, so that the host never takes what is put there for
  // something it copied itself; tried a few times, as another program (a clipboard viewer) may hold
  // the clipboard for a moment.
  OpenedClipboard();
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard();

  bool open() const { return open_; }

 private:
  HWND own_window_ = nullptr;
  bool open_ = false;
};

}  // namespace qv
