#include "editor/code_pane_hook.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "addin/addin_state.h"
#include "addin/busy_hold.h"
#include "addin/connection.h"
#include "addin/includes.h"
#include "addin/keyboard_state.h"
#include "addin/session.h"
#include "editor/active_pane_tools.h"
#include "editor/enter_key.h"
#include "editor/highlight_painter.h"
#include "win/failure_log.h"
#include "win/subclass.h"
#include "win/window_identity.h"

namespace qv {
namespace {

constexpr WPARAM kNineKey = '9';  // with Shift, the opening parenthesis on the usual layouts

// The editor's IntelliSense list is open: the movement keys are its own.
bool NameListOpen() {
  HWND list = nullptr;
  while ((list = FindWindowExW(nullptr, list, L"NameListWndClass", nullptr)) != nullptr) {
    if (OfThisProcess(list) && IsWindowVisible(list)) return true;
  }
  return false;
}

void KeyDown(WPARAM key, IncludeState& includes) {
  const Settings& settings = State().settings;
  const bool declare = settings.Include && settings.AutoInclude;
  switch (key) {
    case VK_SPACE:
    case VK_OEM_COMMA:
      if (declare) AutoAPIDeclarate(includes);
      break;
    case kNineKey:
      if (declare && (HeldModifiers() & kShiftHeld)) AutoAPIDeclarate(includes);
      break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
      if (((settings.AutoInsert && settings.AutoInsert_Then) || settings.AutoReplace) && !NameListOpen()) {
        ApplyLineAutoInsertInActivePane(false);
      }
      break;
    default:
      break;
  }
}

void KeyUp(UINT message, WPARAM key, const HotKeyTable& hot_keys) {
  const Settings& settings = State().settings;
  if (settings.HotKeys) RunHotKeys(hot_keys, static_cast<long>(key), HeldModifiers());
  if (message == WM_KEYUP && key == VK_SPACE && settings.AutoText) {
    Guarded(L"code window", [] { InsertAutoTextInActivePane(); });
  }
}

// Posted once for a burst of WM_CTLCOLORSCROLLBAR (every bar that paints sends one, about nine a key),
// and once for a window just hooked.
UINT PaintAgainMessage() {
  static const UINT message = RegisterWindowMessageW(L"Quorvane.PaintCodePane");
  return message;
}

}  // namespace

// A paint posted to the window hooked before is lost with that hook. The new window painted itself
// before it was hooked, without its colours: they come with a paint of its own.
bool CodePaneHook::Attach(HWND window, const HotKeyTable& hot_keys, IncludeState& includes) {
  paint_posted_ = false;
  if (!Hook(window)) return false;
  hot_keys_ = &hot_keys;
  includes_ = &includes;
  if (State().settings.SyntaxColoring) PostPaint(window);
  return true;
}

void CodePaneHook::Detach(HWND window) {
  if (window && this->window() == window) Unhook();
}

std::optional<LRESULT> CodePaneHook::OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) {
  MainLoopState& loop = CurrentSession().loop;
  if (message == WM_NCDESTROY || message == WM_CLOSE) {
    // Off before the editor closes the window; the chain below still gets the message.
    Unhook();
    if (loop.hWndHooked == window) loop.hWndHooked = nullptr;
    return std::nullopt;
  }
  const Settings& settings = State().settings;
  if (message == PaintAgainMessage()) {
    paint_posted_ = false;
    if (settings.SyntaxColoring) Guarded(L"code window", [&] { PaintCodePane(window, PaintLines::kVisible); });
    return 0;
  }
  // While a tick's paste waits for its keys, and while our own keys are on their way, keys pass
  // through untouched.
  // A release with Alt held comes as WM_SYSKEYUP; Alt bindings are made in the options dialog too.
  const bool typing = !loop.Busy && (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYUP);
  const bool enter = typing && message == WM_KEYDOWN && wparam == VK_RETURN;
  EnterOutcome outcome;
  if (typing) {
    const BusyHold busy;
    if (enter) {
      outcome = BeforeEnter(window, *includes_);
    } else if (message == WM_KEYDOWN) {
      Guarded(L"code window", [&] { KeyDown(wparam, *includes_); });
    } else {
      KeyUp(message, wparam, *hot_keys_);
    }
  }
  const LRESULT result = outcome.swallowed ? 0 : DefSubclassProc(window, message, wparam, lparam);
  if (settings.SyntaxColoring) Guarded(L"code window", [&] { RepaintAfter(window, message, wparam); });
  if (enter && settings.AutoNumeration) {
    const BusyHold busy;
    Guarded(L"code window", [&] { NumberAfterEnter(outcome); });
  }
  return result;
}

void CodePaneHook::RepaintAfter(HWND window, UINT message, WPARAM wparam) {
  if (message == WM_PAINT) {
    PaintCodePane(window, PaintLines::kVisible);
  } else if (message == WM_CTLCOLORSCROLLBAR) {
    PostPaint(window);
  } else if ((message == WM_KEYDOWN && wparam == VK_DELETE) || message == WM_CHAR) {
    PaintCodePane(window, PaintLines::kCaretLine);
  }
}

void CodePaneHook::PostPaint(HWND window) {
  if (!paint_posted_) paint_posted_ = PostMessageW(window, PaintAgainMessage(), 0, 0) != FALSE;
}

}  // namespace qv
