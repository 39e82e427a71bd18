// Windows whose messages go to a C++ object: bound from WM_NCCREATE, top-level or MDI child,
// unbound at WM_NCDESTROY; a failing handler goes no further than its message.
#include "win/bound_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "win/failure_log.h"
#include "win/module_lifetime.h"

namespace qv {
namespace {

const WindowClass kProbeClass{L"QvWindowProbe"};
std::wstring g_failures;

class Probe final : public BoundWindow {
 public:
  std::vector<UINT> seen;
  bool bound_when_seen = true;
  int destroyed = 0;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    seen.push_back(message);
    bound_when_seen = bound_when_seen && hwnd() != nullptr;
    if (message == WM_APP) throw std::runtime_error("failing handler");
    return Default(message, wparam, lparam);
  }
  void OnWindowDestroyed() override { ++destroyed; }
};

bool Saw(const Probe& probe, UINT message) { return std::ranges::find(probe.seen, message) != probe.seen.end(); }

TEST(WindowTest, TheObjectSeesItsWindowFromNcCreateToNcDestroy) {
  BoundWindow frame;
  ASSERT_TRUE(frame.Create(0, {L"QvWindowFrame"}, L"", WS_OVERLAPPEDWINDOW, {0, 0, 400, 300}, nullptr));
  CLIENTCREATESTRUCT client_info{nullptr, 0xFF00};
  const HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, frame.hwnd(),
                                      nullptr, nullptr, &client_info);
  for (const bool mdi_child : {false, true}) {
    SCOPED_TRACE(mdi_child);
    Probe probe;
    ASSERT_TRUE(mdi_child ? probe.CreateMdiChild(client, kProbeClass, L"", WS_VISIBLE)
                          : probe.Create(0, kProbeClass, L"", WS_OVERLAPPEDWINDOW, {0, 0, 200, 100}, nullptr));
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), probe.seen.front());
    EXPECT_TRUE(Saw(probe, WM_CREATE));
    // The MDI default procedure makes a new visible child the active one.
    const auto active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    EXPECT_EQ(mdi_child, active == probe.hwnd());
    SetWindowPos(probe.hwnd(), nullptr, 0, 0, 250, 150, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(Saw(probe, WM_GETMINMAXINFO));
    EXPECT_TRUE(ModuleInUse());
    DestroyWindow(probe.hwnd());
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), probe.seen.back());
    EXPECT_TRUE(probe.bound_when_seen);
    EXPECT_EQ(nullptr, probe.hwnd());
    EXPECT_EQ(1, probe.destroyed);
  }
  DestroyWindow(frame.hwnd());
  EXPECT_FALSE(ModuleInUse());
}

TEST(WindowTest, AFailingHandlerIsRecordedAndTheWindowGoesOnUntilItsObjectGoes) {
  SetFailureSink([](std::wstring_view line) noexcept { g_failures += line; });
  HWND window = nullptr;
  {
    Probe probe;
    ASSERT_TRUE(probe.Create(0, kProbeClass, L"", WS_POPUP, {}, nullptr));
    window = probe.hwnd();
    EXPECT_EQ(0, SendMessageW(window, WM_APP, 0, 0));
    EXPECT_NE(std::wstring::npos, g_failures.find(L"window procedure: failing handler"));
    SendMessageW(window, WM_NULL, 0, 0);
    EXPECT_EQ(static_cast<UINT>(WM_NULL), probe.seen.back());
  }
  SetFailureSink(nullptr);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(ModuleInUse());
}

}  // namespace
}  // namespace qv
