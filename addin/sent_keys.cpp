#include "addin/sent_keys.h"

#include <windows.h>

#include <span>

#include "kit/vb_error.h"
#include "win/message_pump.h"

namespace qv {
namespace {

// Tells our keystrokes from the user's.
constexpr ULONG_PTR kKeysMark = 0x51564B59;
constexpr DWORD kPasteTimeoutMs = 5000;
constexpr DWORD kDeleteTimeoutMs = 1000;

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  const bool extended = key == VK_INSERT || key == VK_DELETE;
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (extended ? KEYEVENTF_EXTENDEDKEY : 0u);
  input.ki.dwExtraInfo = kKeysMark;
  return input;
}

// True once the last of `keys` (a key release) has been dispatched: what it ends has been done.
bool SendAndWait(std::span<INPUT> keys, DWORD timeout_ms) {
  if (SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT)) != keys.size()) return false;
  const WORD last_key = keys.back().ki.wVk;
  const DWORD start = GetTickCount();
  for (;;) {
    const PumpEnd end = DispatchPendingMessages([last_key](const MSG& message) {
      return message.message == WM_KEYUP && message.wParam == last_key &&
             static_cast<ULONG_PTR>(GetMessageExtraInfo()) == kKeysMark;
    });
    if (end != PumpEnd::kEmpty) return end == PumpEnd::kStopped;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout_ms - elapsed, QS_ALLINPUT);
  }
}

}  // namespace

void PasteFromKeyboard() {
  INPUT keys[] = {Key(VK_SHIFT, false), Key(VK_INSERT, false), Key(VK_INSERT, true), Key(VK_SHIFT, true)};
  if (!SendAndWait(keys, kPasteTimeoutMs)) throw VbError(5, L"Вставка из буфера обмена не выполнена");
}

bool DeleteFromKeyboard() {
  INPUT keys[] = {Key(VK_DELETE, false), Key(VK_DELETE, true)};
  return SendAndWait(keys, kDeleteTimeoutMs);
}

}  // namespace qv
