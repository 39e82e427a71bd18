#include "sandbox/ui/message_loop.h"

namespace sbx {
namespace {

HWND MdiClientOf(HWND window) {
  for (HWND w = window; w; w = GetAncestor(w, GA_PARENT)) {
    wchar_t name[16] = {};
    if (GetClassNameW(w, name, 16) && lstrcmpiW(name, L"MDIClient") == 0) return w;
  }
  return nullptr;
}

void Dispatch(MSG& msg) {
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
    HWND client = MdiClientOf(msg.hwnd);
    if (client && TranslateMDISysAccel(client, &msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

bool PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    Dispatch(msg);
  }
  return true;
}

void PumpFor(DWORD milliseconds) {
  PumpUntil(milliseconds, [] { return false; });
}

bool PumpUntil(DWORD milliseconds, const std::function<bool()>& done) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (;;) {
    const bool quit = !PumpPending();
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (quit || now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

}  // namespace sbx
