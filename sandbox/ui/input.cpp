#include "sandbox/ui/input.h"

#include <vector>

#include "sandbox/ui/message_loop.h"

namespace sbx {
namespace {

bool IsExtended(WORD key) {
  switch (key) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0u) | (IsExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0u);
  return input;
}

INPUT UnicodeKey(wchar_t c, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = c;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0u);
  return input;
}

void Press(std::vector<INPUT>& inputs, WORD key, unsigned modifiers) {
  const WORD held[] = {VK_SHIFT, VK_CONTROL, VK_MENU};
  for (unsigned i = 0; i < 3; ++i) {
    if (modifiers & (1u << i)) inputs.push_back(Key(held[i], false));
  }
  inputs.push_back(Key(key, false));
  inputs.push_back(Key(key, true));
  for (unsigned i = 3; i-- > 0;) {
    if (modifiers & (1u << i)) inputs.push_back(Key(held[i], true));
  }
}

// SendInput queues the input at once; it is done when the thread's queue holds none of it.
void SendAndProcess(std::vector<INPUT>& inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  PumpUntil(5000, [] { return HIWORD(GetQueueStatus(QS_KEY | QS_MOUSE)) == 0; });
}

// The mouse moved to a point of the primary monitor, in the 0..65535 units of absolute input,
// rounded up so that scaling back gives the same pixel.
INPUT MouseAt(POINT screen, DWORD buttons) {
  const auto scaled = [](LONG at, int extent) { return static_cast<LONG>((at * 65536LL + extent - 1) / extent); };
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = scaled(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = scaled(screen.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return input;
}

}  // namespace

void SendText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    const SHORT layout_key = c < 0x80 ? VkKeyScanW(c) : -1;
    // Only keys that need no modifier but Shift (high byte bit 0).
    if (layout_key != -1 && (HIBYTE(layout_key) & ~1) == 0) {
      Press(inputs, LOBYTE(layout_key), HIBYTE(layout_key) & 1 ? kShift : kNoModifiers);
    } else {
      inputs.push_back(UnicodeKey(c, false));
      inputs.push_back(UnicodeKey(c, true));
    }
  }
  SendAndProcess(inputs);
}

void SendKey(WORD key, unsigned modifiers) {
  std::vector<INPUT> inputs;
  Press(inputs, key, modifiers);
  SendAndProcess(inputs);
}

void SendMouseButton(POINT screen, bool down) {
  std::vector<INPUT> inputs{MouseAt(screen, 0), MouseAt(screen, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)};
  SendAndProcess(inputs);
}

void SendClick(POINT screen) {
  std::vector<INPUT> inputs{MouseAt(screen, 0), MouseAt(screen, MOUSEEVENTF_LEFTDOWN),
                            MouseAt(screen, MOUSEEVENTF_LEFTUP)};
  SendAndProcess(inputs);
}

}  // namespace sbx
