// The wheel where no hook of the main window sees it: the code window in SDI mode and the tool
// windows that float as top-level windows. Each tick takes their wheel messages from the queue
// before they are dispatched; every other message stays queued for the host.
#include "editor/wheel_poll.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "editor/active_pane_tools.h"
#include "editor/wheel_scroll.h"
#include "kit/wheel_steps.h"

namespace qv {
namespace {

// The top-level window of that title, when it is the host's.
HWND HostTopLevel(const std::wstring& caption) {
  const HWND window = FindWindowW(nullptr, caption.c_str());
  return OfThisThread(window) ? window : nullptr;
}

bool Queued(UINT message) {
  MSG queued{};
  return PeekMessageW(&queued, nullptr, message, message, PM_NOREMOVE | PM_NOYIELD) != FALSE;
}

bool TakeWheel(HWND window, MSG& message) {
  return PeekMessageW(&message, window, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_REMOVE) != FALSE;
}

// The release of Space in the code window expands an abbreviation; only that key-up is taken.
void TakeSpaceRelease(HWND code_window) {
  MSG message{};
  if (!PeekMessageW(&message, code_window, WM_KEYUP, WM_KEYUP, PM_NOREMOVE) || message.wParam != VK_SPACE) return;
  PeekMessageW(&message, code_window, WM_KEYUP, WM_KEYUP, PM_REMOVE);
  InsertAutoTextInActivePane();
}

void PollSdiCodeWindow(const std::wstring& caption) {
  const HWND code_window = HostTopLevel(caption);
  if (!code_window) return;
  if (State().settings.AutoText) TakeSpaceRelease(code_window);
  MSG message{};
  if (TakeWheel(code_window, message)) ScrollActivePane(message.wParam);
}

// A docked tool window's wheel reaches the main window's hook instead.
void PollFloatingToolWindow(const std::wstring& caption) {
  const HWND window = HostTopLevel(caption);
  if (!window) return;
  MSG message{};
  if (!TakeWheel(window, message)) return;
  const HWND content = FindWindowExW(window, nullptr, nullptr, nullptr);
  PostLineScrolls(content, WheelNotches(static_cast<std::uint32_t>(message.wParam)));
}

}  // namespace

void WheelPoll() {
  // Most ticks find neither in the queue and ask the host nothing.
  if (!Queued(WM_MOUSEWHEEL) && !Queued(WM_KEYUP)) return;
  const Window active = VBInstance().ActiveWindow();
  if (!active) return;
  switch (active.Type()) {
    case kCodeWindowType:
      if (State().settings.IsSDI) PollSdiCodeWindow(active.Caption());
      break;
    case kWatchWindowType:
    case kLocalsWindowType:
    case kImmediateWindowType:
      PollFloatingToolWindow(active.Caption());
      break;
    default:
      break;
  }
}

}  // namespace qv
