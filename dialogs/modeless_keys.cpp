#include "dialogs/modeless_keys.h"

#include <algorithm>
#include <vector>

#include "win/failure_log.h"
#include "win/module_lifetime.h"

namespace qv {
namespace {

struct ModelessDialogs {
  std::vector<HWND> dialogs;
  HHOOK hook = nullptr;
};

// The add-in's windows all live on the host's one window thread. Not thread_local: a thread's
// destructor list would pin the library in memory until that thread ends.
ModelessDialogs& Dialogs() {
  static ModelessDialogs dialogs;
  return dialogs;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  auto* message = reinterpret_cast<MSG*>(lparam);
  // Only a message taken off the queue: one merely peeked at comes round again.
  if (code == HC_ACTION && wparam == PM_REMOVE && message->message >= WM_KEYFIRST &&
      message->message <= WM_KEYLAST) {
    Guarded(L"modeless dialog keys", [message] {
      for (const HWND dialog : Dialogs().dialogs) {
        if (dialog != message->hwnd && !IsChild(dialog, message->hwnd)) continue;
        if (IsDialogMessageW(dialog, message)) message->message = WM_NULL;
        return;
      }
    });
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void AddModelessDialog(HWND dialog) {
  ModelessDialogs& state = Dialogs();
  if (std::find(state.dialogs.begin(), state.dialogs.end(), dialog) != state.dialogs.end()) return;
  if (!state.hook) {
    state.hook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    if (!state.hook) {
      RecordFailure(L"modeless dialog keys", L"SetWindowsHookEx failed");
      return;
    }
    AddRefModule();  // the hook procedure is this module's code
  }
  state.dialogs.push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
  ModelessDialogs& state = Dialogs();
  std::erase(state.dialogs, dialog);
  if (!state.dialogs.empty() || !state.hook) return;
  UnhookWindowsHookEx(state.hook);
  state.hook = nullptr;
  ReleaseModule();
}

void DestroyModelessDialogs() {
  // Each takes itself off the list as it goes.
  const std::vector<HWND> dialogs = Dialogs().dialogs;
  for (const HWND dialog : dialogs) DestroyWindow(dialog);
}

}  // namespace qv
