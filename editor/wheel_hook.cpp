// The wheel in MDI mode: the host's main window sees every wheel message that the focus window
// passes up, and turns it into scrolling of the window the user means. The host gets the message too.
#include "editor/wheel_hook.h"

#include <windowsx.h>

#include <cstdint>
#include <cwctype>
#include <optional>
#include <string_view>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/session.h"
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
                                              : DockedWindow(HostMainWindow(), active.Caption());
  PostLineScrolls(target, WheelNotches(static_cast<std::uint32_t>(wparam)));
}

HMODULE g_wheel_library = nullptr;

// A name without its folder would be looked for along the library search path, the current folder
// among its places: only a full path is loaded.
bool IsFullPath(std::wstring_view path) {
  const bool drive = path.size() > 2 && iswalpha(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  return drive || path.starts_with(L"\\\\");
}

void LoadWheelLibrary() {
  if (g_wheel_library) return;
  const std::optional<std::wstring> path = GetRegValue(HKEY_CLASSES_ROOT, kWheelSupportServer, L"");
  if (path && IsFullPath(*path)) g_wheel_library = LoadLibraryW(path->c_str());
}

void FreeWheelLibrary() {
  if (g_wheel_library) FreeLibrary(g_wheel_library);
  g_wheel_library = nullptr;
}


}  // namespace

void WheelHook::Attach(HWND main) {
  if (Hook(main)) LoadWheelLibrary();
}

void WheelHook::Detach() {
  Unhook();
  FreeWheelLibrary();
}

std::optional<LRESULT> WheelHook::OnMessage(HWND, UINT& message, WPARAM& wparam, LPARAM& lparam) {
  if (message == WM_MOUSEWHEEL && State().settings.Scrolling) OnWheel(wparam, lparam);
  // The hook comes off with the window, and the library with the hook.
  if (message == WM_NCDESTROY) FreeWheelLibrary();
  return std::nullopt;
}

}  // namespace qv
