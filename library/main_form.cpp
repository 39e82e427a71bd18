#include "library/main_form.h"

#include "addin/command_bars.h"
#include "library/main_loop.h"
#include "win/failure_log.h"

namespace qv {
namespace {

const WindowClass kClass{L"QuorvaneMainForm"};
constexpr UINT_PTR kTimerId = 0;

void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  // Nothing may reach the host's message loop.
  Guarded(L"main loop timer", [] { TimerTick(LibraryParts()); });
}

}  // namespace

MainForm::~MainForm() {
  Guarded(L"UnloadMainForm", [&] { Unload(); });
}

HWND MainForm::Window() {
  if (!window_.hwnd()) {
    // A class left by an earlier load of the library would point into freed code.
    UnregisterWindowClass(kClass.name);
    window_.Create(0, kClass, L"", WS_POPUP, {}, nullptr);
  }
  return window_.hwnd();
}

void MainForm::Unload() {
  if (!window_.hwnd()) return;
  RemoveCommandBarButtons();
  DestroyWindow(window_.hwnd());
  UnregisterWindowClass(kClass.name);
}

void MainForm::StartTimer() {
  if (const HWND window = Window()) SetTimer(window, kTimerId, 1, TimerProc);
}

void MainForm::StopTimer() {
  if (window_.hwnd()) KillTimer(window_.hwnd(), kTimerId);
}

}  // namespace qv
