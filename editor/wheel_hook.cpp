// The wheel in MDI mode: the host's main window sees every wheel message that the focus window
// passes up, and turns it into scrolling of the window the user means. The host gets the message too.
#include <windowsx.h>

#include <cstdint>
#include <optional>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/entry_points.h"
#include "editor/wheel_scroll.h"
#include "kit/wheel_steps.h"
#include "win/registry.h"
#include "win/subclass.h"

namespace qv {
namespace {

// The wheel-support library that the host registers under this class; kept loaded while hooked.
constexpr wchar_t kWheelSupportServer[] = L"CLSID\\{B84F8C6E-BDDE-4384-9946-82EEE7F81D48}\\InprocServer32";

// The window a tool window's wheel scrolls: the main window's child of that title, or the MDI
// client's when it is docked inside the client.
HWND DockedWindow(HWND main, const std::wstring& caption) {
  if (const HWND docked = FindWindowExW(main, nullptr, nullptr, caption.c_str())) return docked;
  const HWND client = FindWindowExW(main, nullptr, L"MDIClient", nullptr);
  return client ? FindWindowExW(client, nullptr, nullptr, caption.c_str()) : nullptr;
}

void OnWheel(WPARAM wparam, LPARAM lparam) {
  const Window active = VBInstance().ActiveWindow();
  if (!active) return;
  const long type = active.Type();
  if (type == kCodeWindowType) return ScrollActivePane(wparam);
  const HWND target = type == kMainWindowType ? WindowFromPoint({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)})
                                              : DockedWindow(State().hWndMain, active.Caption());
  PostLineScrolls(target, WheelNotches(static_cast<std::uint32_t>(wparam)));
}

class WheelHook : public Subclass {
 protected:
  std::optional<LRESULT> OnMessage(HWND, UINT& message, WPARAM& wparam, LPARAM& lparam) override {
    if (message == WM_MOUSEWHEEL && State().settings.Scrolling) OnWheel(wparam, lparam);
    return std::nullopt;
  }
};

WheelHook g_hook;
HMODULE g_wheel_library = nullptr;

void LoadWheelLibrary() {
  if (g_wheel_library) return;
  const std::optional<std::wstring> path = GetRegValue(HKEY_CLASSES_ROOT, kWheelSupportServer, L"");
  if (path) g_wheel_library = LoadLibraryW(path->c_str());
}

void FreeWheelLibrary() {
  if (g_wheel_library) FreeLibrary(g_wheel_library);
  g_wheel_library = nullptr;
}

}  // namespace

void HookWheel(HWND window) {
  g_hook.Hook(window);
  LoadWheelLibrary();
}

void UnhookWheel(HWND) {
  g_hook.Unhook();
  FreeWheelLibrary();
}

bool WheelHooked() { return g_hook.Hooked(); }

}  // namespace qv
