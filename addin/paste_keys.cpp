#include "addin/paste_keys.h"

#include <windows.h>

#include "kit/vb_error.h"

namespace qv {
namespace {

// Tells our keystrokes from the user's.
constexpr ULONG_PTR kKeysMark = 0x51564B59;
constexpr DWORD kTimeoutMs = 5000;

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (key == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0u);
  input.ki.dwExtraInfo = kKeysMark;
  return input;
}

VbError NotPasted() { return VbError(5, L"Вставка из буфера обмена не выполнена"); }

}  // namespace

void PasteFromKeyboard() {
  INPUT keys[] = {Key(VK_SHIFT, false), Key(VK_INSERT, false), Key(VK_INSERT, true), Key(VK_SHIFT, true)};
  if (SendInput(ARRAYSIZE(keys), keys, sizeof(INPUT)) != ARRAYSIZE(keys)) throw NotPasted();
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the host's own loop
        throw NotPasted();
      }
      // The last of our keys: the paste it follows has been done when it has been dispatched.
      const bool last = message.message == WM_KEYUP && message.wParam == VK_SHIFT &&
                        static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kKeysMark;
      TranslateMessage(&message);
      DispatchMessageW(&message);
      if (last) return;
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= kTimeoutMs) throw NotPasted();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kTimeoutMs - elapsed, QS_ALLINPUT);
  }
}

}  // namespace qv
