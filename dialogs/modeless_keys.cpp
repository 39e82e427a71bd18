#include "dialogs/modeless_keys.h"

#include <algorithm>

#include "win/failure_log.h"
#include "win/module_lifetime.h"

namespace qv {
namespace {

// The hook procedure gets no pointer of its own: it finds the owners whose hooks are in place here.
// The add-in's windows all live on the host's one window thread. Not thread_local: a thread's
// destructor list would pin the library in memory until that thread ends.
std::vector<ModelessKeys*>& Hooked() {
  static std::vector<ModelessKeys*> hooked;
  return hooked;
}

}  // namespace

ModelessKeys::~ModelessKeys() { Unhook(); }

LRESULT CALLBACK ModelessKeys::GetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  auto* message = reinterpret_cast<MSG*>(lparam);
  // Only a message taken off the queue: one merely peeked at comes round again.
  if (code == HC_ACTION && wparam == PM_REMOVE && message->message >= WM_KEYFIRST &&
      message->message <= WM_KEYLAST) {
    Guarded(L"modeless dialog keys", [message] {
      for (const ModelessKeys* keys : Hooked()) {
        for (const HWND dialog : keys->dialogs_) {
          if (dialog != message->hwnd && !IsChild(dialog, message->hwnd)) continue;
          if (IsDialogMessageW(dialog, message)) message->message = WM_NULL;
          return;
        }
      }
    });
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void ModelessKeys::Add(HWND dialog) {
  if (std::find(dialogs_.begin(), dialogs_.end(), dialog) != dialogs_.end()) return;
  // Listed even without the hook: the shutdown destroys it all the same.
  dialogs_.push_back(dialog);
  if (hook_) return;
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  if (!hook_) return RecordFailure(L"modeless dialog keys", L"SetWindowsHookEx failed");
  AddRefModule();  // the hook procedure is this module's code
  Hooked().push_back(this);
}

void ModelessKeys::Remove(HWND dialog) {
  std::erase(dialogs_, dialog);
  if (dialogs_.empty()) Unhook();
}

void ModelessKeys::Unhook() {
  if (!hook_) return;
  std::erase(Hooked(), this);
  UnhookWindowsHookEx(hook_);
  hook_ = nullptr;
  ReleaseModule();
}

void ModelessKeys::DestroyAll() {
  // Each takes itself off the list as it goes.
  const std::vector<HWND> dialogs = dialogs_;
  for (const HWND dialog : dialogs) DestroyWindow(dialog);
}

}  // namespace qv
