#include "addin/main_form.h"

#include "addin/entry_points.h"
#include "win/module_lifetime.h"

namespace qv {
namespace {

constexpr wchar_t kClassName[] = L"QuorvaneMainForm";
constexpr UINT_PTR kTimerId = 0;

HWND g_window = nullptr;

HINSTANCE ThisModule() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&g_window), &self);
  return self;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  try {
    TimerTick();
  } catch (...) {  // nothing may reach the host's message loop
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCDESTROY && window == g_window) {
    g_window = nullptr;
    ReleaseModule();
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND MainFormWindow() {
  if (g_window) return g_window;
  const HINSTANCE module = ThisModule();
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = module;
  window_class.lpszClassName = kClassName;
  // A class left by an earlier load of the library would point into freed code.
  UnregisterClassW(kClassName, module);
  if (!RegisterClassExW(&window_class)) return nullptr;
  g_window = CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module, nullptr);
  if (g_window) AddRefModule();
  return g_window;
}

void UnloadMainForm() {
  if (!g_window) return;
  RemoveCommandBarButtons();
  DestroyWindow(g_window);
  UnregisterClassW(kClassName, ThisModule());
}

void StartMainTimer() {
  if (HWND window = MainFormWindow()) SetTimer(window, kTimerId, 1, TimerProc);
}

void StopMainTimer() {
  if (g_window) KillTimer(g_window, kTimerId);
}

}  // namespace qv
