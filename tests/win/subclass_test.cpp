// Hooks on the subclass chain: what the previous procedure sees, removal in any order, by the
// destructor and at WM_NCDESTROY, and the module reference each hook holds.
#include "win/subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <tuple>
#include <vector>

#include "win/failure_log.h"
#include "win/module_lifetime.h"

namespace qv {
namespace {

using Call = std::tuple<UINT, WPARAM, LPARAM>;
using Handling = std::function<std::optional<LRESULT>(UINT&, WPARAM&, LPARAM&)>;
std::vector<Call> g_reached;  // by the window's own procedure
std::wstring g_failures;

LRESULT CALLBACK Target(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message < WM_APP) return DefWindowProcW(window, message, wparam, lparam);
  g_reached.emplace_back(message, wparam, lparam);
  return 1;
}

class Recorder final : public Subclass {
 public:
  explicit Recorder(Handling handling = {}) : handling_(std::move(handling)) {}
  int seen = 0;

 private:
  std::optional<LRESULT> OnMessage(HWND, UINT& message, WPARAM& wparam, LPARAM& lparam) override {
    if (message < WM_APP) return std::nullopt;
    ++seen;
    return handling_ ? handling_(message, wparam, lparam) : std::nullopt;
  }
  Handling handling_;
};

std::optional<LRESULT> Rewrite(UINT& message, WPARAM& wparam, LPARAM& lparam) {
  message = WM_APP + 1;
  wparam = 3;
  lparam = 4;
  return std::nullopt;
}
std::optional<LRESULT> Answer(UINT&, WPARAM&, LPARAM&) { return 42; }
std::optional<LRESULT> FailAfterRewriting(UINT& message, WPARAM&, LPARAM&) {
  message = WM_APP + 1;
  throw std::runtime_error("x");
}

class SubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW target{};
    target.lpfnWndProc = Target;
    target.lpszClassName = L"QvSubclassTarget";
    RegisterClassW(&target);
    window_ = CreateWindowExW(0, L"QvSubclassTarget", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_reached.clear();
    ASSERT_FALSE(ModuleInUse());
  }
  void TearDown() override { DestroyWindow(window_); }
  LRESULT Send() { return SendMessageW(window_, WM_APP, 1, 2); }

  HWND window_ = nullptr;
};

TEST_F(SubclassTest, ThePreviousProcedureSeesWhatTheHandlerLeavesOfTheMessageOnce) {
  const struct {
    const char* name;
    Handling handling;
    LRESULT result;
    std::vector<Call> reached;
    bool recorded;
  } cases[] = {
      {"passed on", {}, 1, {{WM_APP, 1, 2}}, false},
      {"rewritten", Rewrite, 1, {{WM_APP + 1, 3, 4}}, false},
      {"answered", Answer, 42, {}, false},
      {"failed after rewriting", FailAfterRewriting, 1, {{WM_APP, 1, 2}}, true},
  };
  SetFailureSink([](std::wstring_view line) noexcept { g_failures += line; });
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    g_reached.clear();
    g_failures.clear();
    Recorder hook(c.handling);
    ASSERT_TRUE(hook.Hook(window_));
    EXPECT_EQ(c.result, Send());
    EXPECT_EQ(c.reached, g_reached);
    EXPECT_EQ(c.recorded, g_failures.find(L"subclass procedure: x") != std::wstring::npos);
  }
  SetFailureSink(nullptr);
}

TEST_F(SubclassTest, HooksRemovedInEitherOrderLeaveTheChainWhole) {
  for (const size_t gone : {0u, 1u}) {
    g_reached.clear();
    Recorder hooks[2];
    ASSERT_TRUE(hooks[0].Hook(window_) && hooks[1].Hook(window_));
    Send();
    hooks[gone].Unhook();
    EXPECT_TRUE(ModuleInUse());
    Send();
    hooks[1 - gone].Unhook();
    EXPECT_FALSE(ModuleInUse());
    EXPECT_EQ(1, Send());
    EXPECT_EQ(3u, g_reached.size());  // each message reached the window once
    EXPECT_EQ(1, hooks[gone].seen) << gone;
    EXPECT_EQ(2, hooks[1 - gone].seen) << gone;
  }
}

TEST_F(SubclassTest, OneObjectHooksOneWindowOnceTillItsDestructorOrTheWindowsEnd) {
  {
    Recorder hook;
    ASSERT_TRUE(hook.Hook(window_));
    EXPECT_FALSE(hook.Hook(window_));
    EXPECT_FALSE(hook.Hook(GetDesktopWindow()));
    EXPECT_EQ(1, Send());
    EXPECT_EQ(1, hook.seen);
  }
  EXPECT_FALSE(ModuleInUse());
  Recorder hook;
  ASSERT_TRUE(hook.Hook(window_));
  DestroyWindow(std::exchange(window_, nullptr));
  EXPECT_FALSE(hook.Hooked());
  EXPECT_FALSE(ModuleInUse());
}

}  // namespace
}  // namespace qv
