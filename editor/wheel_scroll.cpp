#include "editor/wheel_scroll.h"

#include <cstdint>
#include <string>

#include "addin/addin_state.h"
#include "addin/connection.h"
#include "editor/scroll_bars.h"
#include "kit/wheel_steps.h"
#include "win/failure_log.h"
#include "win/window_identity.h"

namespace qv {
namespace {

struct BarSeries {
  HWND target;
  long notches;
  long scroll_height;
};

// The lines a bar shows, for the system's "one page" setting.
long BarPage(HWND bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_PAGE;
  return GetScrollInfo(bar, SB_CTL, &info) ? static_cast<long>(info.nPage) : 0;
}

BOOL CALLBACK PostToBar(HWND window, LPARAM param) {
  const auto& series = *reinterpret_cast<const BarSeries*>(param);
  Guarded(L"PostLineScrolls", [&] {
    if (!IsVertScrollBar(window, true)) return;
    const long lines = LinesPerNotch(series.scroll_height, [&] { return BarPage(window); });
    const WPARAM code = series.notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (long n = LineScrolls(series.notches, lines); n > 0; --n) {
      PostMessageW(series.target, WM_VSCROLL, code, reinterpret_cast<LPARAM>(window));
    }
  });
  return TRUE;
}

}  // namespace

bool OfThisThread(HWND window) {
  return window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

void ScrollActivePane(WPARAM wparam) {
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return;
  const long lines = LinesPerNotch(State().settings.ScrollHeight, [&] { return pane.CountOfVisibleLines(); });
  pane.SetTopLine(NextTopLine(pane.TopLine(), TurnedTowardsUser(static_cast<std::uint32_t>(wparam)), lines));
}

void PostLineScrolls(HWND target, long notches) {
  if (notches == 0 || !OfThisThread(target) || ClassName(target) == L"MDIClient") return;
  BarSeries series{target, notches, State().settings.ScrollHeight};
  EnumChildWindows(target, PostToBar, reinterpret_cast<LPARAM>(&series));
}

}  // namespace qv
