#include "library/main_form.h"

#include "addin/command_bars.h"
#include "library/main_loop.h"
#include "win/failure_log.h"
#include "win/bound_window.h"

namespace qv {
namespace {

const WindowClass kClass{L"QuorvaneMainForm"};
constexpr UINT_PTR kTimerId = 0;

void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  // Nothing may reach the host's message loop.
  Guarded(L"main loop timer", [] { TimerTick(LibraryParts()); });
}

// The hidden window's object lives as long as its window.
class MainForm final : public BoundWindow {
  void OnWindowDestroyed() override;
};

MainForm* g_form = nullptr;

void MainForm::OnWindowDestroyed() {
  g_form = nullptr;
  delete this;
}

}  // namespace

HWND MainFormWindow() {
  if (!g_form) {
    // A class left by an earlier load of the library would point into freed code.
    UnregisterWindowClass(kClass.name);
    g_form = new MainForm;
    if (!g_form->Create(0, kClass, L"", WS_POPUP, {}, nullptr)) {
      delete g_form;  // null when the window's end has taken it already
      g_form = nullptr;
    }
  }
  return g_form ? g_form->hwnd() : nullptr;
}

void UnloadMainForm() {
  if (!g_form) return;
  RemoveCommandBarButtons();
  DestroyWindow(g_form->hwnd());
  UnregisterWindowClass(kClass.name);
}

void StartMainTimer() {
  if (HWND window = MainFormWindow()) SetTimer(window, kTimerId, 1, TimerProc);
}

void StopMainTimer() {
  if (g_form) KillTimer(g_form->hwnd(), kTimerId);
}

}  // namespace qv
