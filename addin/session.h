#pragma once
// What one connection keeps between the timer's ticks: the host's main window it found and the main
// loop's state. The connection's parts own it; the parts below the root reach it here while it lives.
#include <windows.h>

#include <optional>
#include <string>

namespace qv {

struct MainLoopState {
  bool Busy = false;  // a tick or a numbering run is in progress
  HWND hWndCode = nullptr;
  HWND hWndHooked = nullptr;
  long SelStartLine = 0;
  long SelStartCol = 0;
  long SelEndLine = 0;
  long SelEndCol = 0;
  // The formatter's run state; between ticks FormatStart is the caret line of the previous tick,
  // 0 when there was no code pane.
  long FormatStart = 0;
  long FormatEnd = 0;
  std::wstring FormatText;
  long PrevDeclLines = 0;
  // What the last look for a new procedure saw; its lines are read again only when this changes.
  struct CustomCodeLook {
    long line = 0;
    long count = 0;  // the module's lines
    bool ctrl = false;
    bool operator==(const CustomCodeLook&) const = default;
  };
  CustomCodeLook LastCustomCodeLook;
  // When a hot key asked for formatting that waits for its modifiers to be released (GetTickCount).
  std::optional<DWORD> FormatKeysAt;
  bool MDIActivated = false;  // set by the tab strip when an MDI child is activated
  long MDIRefreshTicks = 0;
};

struct Session {
  HWND hWndMain = nullptr;  // the host's main window, found when the add-in starts
  MainLoopState loop;
};

// Holds a session and makes it the current one for its life; the one before comes back after it.
class SessionOwner {
 public:
  SessionOwner() noexcept;
  ~SessionOwner();
  SessionOwner(const SessionOwner&) = delete;
  SessionOwner& operator=(const SessionOwner&) = delete;

  Session session;

 private:
  SessionOwner* previous_;
};

// Throws VbError 91 (an object not set) between connections.
Session& CurrentSession();
// The host's main window; none between connections.
HWND HostMainWindow() noexcept;

}  // namespace qv
