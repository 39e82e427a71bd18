// What a paint of the tab strip costs: the time of one paint of the non-client area with 50 document
// windows open, composed off screen and shown with one blit. One name=value line per figure.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "addin/entry_points.h"
#include "editor/tab_strip.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTabs = 50;
constexpr int kPaints = 1000;

LRESULT CALLBACK DocumentProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefMDIChildProcW(window, message, wparam, lparam);
}

}  // namespace

int main() {
  WNDCLASSW document{};
  document.lpfnWndProc = DocumentProcedure;
  document.hInstance = GetModuleHandleW(nullptr);
  document.lpszClassName = L"VbaWindow";
  RegisterClassW(&document);
  const HWND frame = CreateWindowExW(0, L"STATIC", L"Tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     1000, 600, nullptr, nullptr, nullptr, nullptr);
  CLIENTCREATESTRUCT create{};
  const HWND client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 1000, 560,
                                      frame, nullptr, nullptr, &create);
  qv::InitTabStrip();
  qv::AttachTabStrip(frame);
  for (int i = 1; i <= kTabs; ++i) {
    CreateWindowExW(WS_EX_MDICHILD, L"VbaWindow", (L"VBAProject - Module" + std::to_wstring(i) + L" (Code)").c_str(),
                    WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, client, nullptr, nullptr, nullptr);
  }
  qv::RefreshTabs();
  const Clock::time_point start = Clock::now();
  for (int paint = 0; paint < kPaints; ++paint) RedrawWindow(client, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  const double micro = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kPaints;
  std::printf("tabs=%zu\n", qv::MdiTabs().Tabs().size());
  std::printf("paint_us=%.2f\n", micro);
  qv::TerminateTabStrip();
  DestroyWindow(frame);
  return qv::MdiTabs().Tabs().size() == kTabs ? 0 : 1;
}
