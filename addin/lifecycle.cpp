#include "addin/lifecycle.h"

#include <windows.h>

#include <utility>

#include "addin/addin_state.h"
#include "addin/command_bar_refs.h"
#include "addin/entry_points.h"
#include "addin/error_box.h"
#include "addin/main_form.h"
#include "addin/quiet_step.h"
#include "kit/palette.h"

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
  const DWORD process = GetCurrentProcessId();
  for (HWND popup = FindWindowExW(nullptr, nullptr, L"CBarPopup", nullptr); popup;
       popup = FindWindowExW(nullptr, popup, L"CBarPopup", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(popup, &owner);
    if (owner == process) tabs.push_back(FindWindowExW(popup, nullptr, L"SysTabControl32", nullptr));
  }
  return tabs;
}

}  // namespace

void StartAddin() {
  AddinState& state = State();
  RunReported(kNumerationButtonStep, [&] {
    if (IDispatch* button = Bars().NumerationButton.Object()) Put(button, L"Enabled", state.settings.Numeration);
  });
  RunReported(kPopupTabsStep, [&] { state.PopupTabs = FindPopupTabs(); });
  RunReported(kCustomColorsStep, [&] { SetCustomColors(Tables().PaletteColors, state.settings.CustomColorsValue); });
  RunReported(kMainWindowStep, [&] {
    Invoke(Get(state.VBInstance.Object(), L"MainWindow").Object(), L"SetFocus", DISPATCH_METHOD);
    state.hWndMain = FindMainWindow();
  });
  RunReported(kTimerStep, [] { StartMainTimer(); });
  RunReported(kWheelStep, [&] {
    if (state.settings.Scrolling && !state.settings.IsSDI) HookWheel(state.hWndMain);
  });
  RunReported(kTabsStep, [&] {
    if (state.settings.MDITabs) StartMDITabs();
  });
}

void StartMDITabs() {
  AddinState& state = State();
  RunReported(kInitTabsStep, [] { InitTabs(); });
  RunReported(kTabPositionStep, [&] { SetTabPosition(state.settings.MDITabsTop ? 0 : 1); });
  RunReported(kAttachTabsStep, [&] { AttachTabs(state.hWndMain); });
}

void StopMDITabs() {
  Quietly([] { DetachTabs(); });
  Quietly([] { TerminateTabs(); });
}

void StopAddin() {
  AddinState& state = State();
  Quietly([] { StopMainTimer(); });
  Quietly([&] {
    if (!state.settings.IsSDI && WheelHooked()) UnhookWheel(state.hWndMain);
  });
  Quietly([&] {
    if (state.loop.hWndHooked) UnhookCodePane(state.loop.hWndHooked);
  });
  Quietly([] { UnloadDialogs(); });
  Quietly([] { UnloadMainForm(); });
  Quietly([&] {
    if (state.settings.MDITabs) StopMDITabs();
  });
  // A later connection in this process starts from scratch.
  state.loop = MainLoopState{};
  state.PopupTabs.clear();
  state.hWndMain = nullptr;
}

}  // namespace qv
