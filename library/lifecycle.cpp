#include "library/lifecycle.h"

#include <windows.h>

#include <utility>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "addin/error_box.h"
#include "addin/session.h"
#include "kit/palette.h"
#include "library/connection_parts.h"
#include "win/failure_log.h"
#include "win/window_identity.h"

namespace qv {
namespace {

// Steps of StartAddin and StartMDITabs, as their error boxes name them.
enum StartStep : long {
  kNumerationButtonStep = 11,
  kPopupTabsStep,
  kCustomColorsStep,
  kMainWindowStep,
  kTimerStep,
  kWheelStep,
  kTabsStep,
  kInitTabsStep = 21,
  kTabPositionStep,
  kAttachTabsStep,
};

bool OfThisThread(HWND window) { return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId(); }

BOOL CALLBACK TakeMainCandidate(HWND window, LPARAM found) {
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The foreground window after the host's main window took the focus, unless another program's
// window came first; then this thread's visible top-level window without an owner.
HWND FindMainWindow() {
  const HWND foreground = GetForegroundWindow();
  if (OfThisThread(foreground)) return foreground;
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), TakeMainCandidate, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The tab controls of the host's command-bar popups (0 for a popup without one).
std::vector<HWND> FindPopupTabs() {
  std::vector<HWND> tabs;
  for (HWND popup = FindWindowExW(nullptr, nullptr, L"CBarPopup", nullptr); popup;
       popup = FindWindowExW(nullptr, popup, L"CBarPopup", nullptr)) {
    if (OfThisProcess(popup)) tabs.push_back(FindWindowExW(popup, nullptr, L"SysTabControl32", nullptr));
  }
  return tabs;
}

}  // namespace

void StartAddin(Parts& parts) {
  AddinState& state = State();
  RunReported(kNumerationButtonStep, [&] {
    if (const CommandBarControl& button = Bars().NumerationButton) button.SetEnabled(state.settings.Numeration);
  });
  RunReported(kPopupTabsStep, [] { CurrentParts().palette.tabs = FindPopupTabs(); });
  RunReported(kCustomColorsStep, [&] { SetCustomColors(Tables().PaletteColors, state.settings.CustomColorsValue); });
  RunReported(kMainWindowStep, [] { VBInstance().MainWindow().SetFocus(); });
  // A refused focus still leaves the main window to be found: without it no code window is hooked.
  Session& session = CurrentSession();
  session.hWndMain = FindMainWindow();
  RunReported(kTimerStep, [] { CurrentParts().form.StartTimer(); });
  RunReported(kWheelStep, [&] {
    if (state.settings.Scrolling && !state.settings.IsSDI) parts.HookWheel(session.hWndMain);
  });
  RunReported(kTabsStep, [&] {
    if (state.settings.MDITabs) StartMDITabs(parts);
  });
}

void StartMDITabs(Parts& parts) {
  RunReported(kInitTabsStep, [&] { parts.InitTabs(); });
  RunReported(kTabPositionStep, [&] { parts.SetTabPosition(State().settings.MDITabsTop ? 0 : 1); });
  RunReported(kAttachTabsStep, [&] { parts.AttachTabs(HostMainWindow()); });
}

void StopMDITabs(Parts& parts) {
  Guarded(L"DetachTabs", [&] { parts.DetachTabs(); });
  Guarded(L"TerminateTabs", [&] { parts.TerminateTabs(); });
}

void StopAddin(Parts& parts) {
  AddinState& state = State();
  Session& session = CurrentSession();
  Guarded(L"StopMainTimer", [] { CurrentParts().form.StopTimer(); });
  Guarded(L"UnhookWheel", [&] {
    if (!state.settings.IsSDI && parts.WheelHooked()) parts.UnhookWheel(session.hWndMain);
  });
  Guarded(L"UnhookCodePane", [&] {
    if (session.loop.hWndHooked) parts.UnhookCodePane(session.loop.hWndHooked);
  });
  Guarded(L"UnloadDialogs", [&] { parts.UnloadDialogs(); });
  Guarded(L"UnloadMainForm", [] { CurrentParts().form.Unload(); });
  Guarded(L"StopMDITabs", [&] {
    if (state.settings.MDITabs) StopMDITabs(parts);
  });
}

}  // namespace qv
