// Hooks on the system's subclass chain: what the previous procedure sees, removal in any order,
// removal at WM_NCDESTROY, and the module reference each hook holds.
#include "win/subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "win/failure_log.h"
#include "win/module_lifetime.h"

namespace qv {
namespace {

using Call = std::tuple<UINT, WPARAM, LPARAM>;
std::vector<Call> g_reached;  // what the window's own procedure received
std::wstring g_failures;

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message < WM_APP) return DefWindowProcW(window, message, wparam, lparam);
  g_reached.emplace_back(message, wparam, lparam);
  return 1;
}

using Handling = std::function<std::optional<LRESULT>(UINT&, WPARAM&, LPARAM&)>;

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

class SubclassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW target{};
    target.lpfnWndProc = TargetProcedure;
    target.lpszClassName = L"QvSubclassTarget";
    RegisterClassW(&target);
    window_ = CreateWindowExW(0, L"QvSubclassTarget", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window_);
    g_reached.clear();
    ASSERT_FALSE(ModuleInUse());
  }
  void TearDown() override { DestroyWindow(window_); }

  LRESULT Send() { return SendMessageW(window_, WM_APP, 1, 2); }

  HWND window_ = nullptr;
};

struct HandlingCase {
  const char* name;
  Handling handling;
  LRESULT result;
  std::vector<Call> reached;
};

TEST_F(SubclassTest, ThePreviousProcedureSeesWhatTheHandlerLeavesOfTheMessageOnce) {
  const HandlingCase cases[] = {
      {"passed on", {}, 1, {{WM_APP, 1, 2}}},
      {"rewritten", [](UINT& m, WPARAM& w, LPARAM& l) { m = WM_APP + 1, w = 3, l = 4; return std::nullopt; }, 1,
       {{WM_APP + 1, 3, 4}}},
      {"answered", [](UINT&, WPARAM&, LPARAM&) { return std::optional<LRESULT>(42); }, 42, {}},
      {"failed after rewriting",
       [](UINT& m, WPARAM&, LPARAM&) -> std::optional<LRESULT> { m = WM_APP + 1; throw std::runtime_error("x"); }, 1,
       {{WM_APP, 1, 2}}},
  };
  SetFailureSink([](std::wstring_view line) noexcept { g_failures += line; });
  for (const HandlingCase& c : cases) {
    SCOPED_TRACE(c.name);
    g_reached.clear();
    g_failures.clear();
    Recorder hook(c.handling);
    ASSERT_TRUE(hook.Hook(window_));
    EXPECT_EQ(c.result, Send());
    EXPECT_EQ(c.reached, g_reached);
    EXPECT_EQ(std::string(c.name) == "failed after rewriting", g_failures.find(L"subclass procedure") != std::wstring::npos);
  }
  SetFailureSink(nullptr);
}

TEST_F(SubclassTest, HooksRemovedInEitherOrderLeaveTheChainWhole) {
  for (const bool first_goes_first : {true, false}) {
    SCOPED_TRACE(first_goes_first);
    Recorder first, second;
    ASSERT_TRUE(first.Hook(window_));
    ASSERT_TRUE(second.Hook(window_));
    EXPECT_EQ(1, Send());
    Recorder& gone = first_goes_first ? first : second;
    Recorder& left = first_goes_first ? second : first;
    gone.Unhook();
    EXPECT_TRUE(ModuleInUse());
    EXPECT_EQ(1, Send());
    left.Unhook();
    EXPECT_FALSE(ModuleInUse());
    g_reached.clear();
    EXPECT_EQ(1, Send());
    EXPECT_EQ(1, gone.seen);
    EXPECT_EQ(2, left.seen);
    EXPECT_EQ(1u, g_reached.size());
  }
}

TEST_F(SubclassTest, OneObjectHooksOneWindowOnce) {
  Recorder hook;
  ASSERT_TRUE(hook.Hook(window_));
  EXPECT_FALSE(hook.Hook(window_));
  EXPECT_FALSE(hook.Hook(GetDesktopWindow()));
  Send();
  EXPECT_EQ(1, hook.seen);
  hook.Unhook();
  EXPECT_TRUE(hook.Hook(window_));
}

TEST_F(SubclassTest, TheWindowsEndRemovesTheHookAndItsModuleReference) {
  Recorder hook;
  ASSERT_TRUE(hook.Hook(window_));
  EXPECT_TRUE(ModuleInUse());
  DestroyWindow(std::exchange(window_, nullptr));
  EXPECT_FALSE(hook.Hooked());
  EXPECT_FALSE(ModuleInUse());
}

TEST_F(SubclassTest, TheDestructorUnhooks) {
  { Recorder hook; ASSERT_TRUE(hook.Hook(window_)); }
  EXPECT_FALSE(ModuleInUse());
  EXPECT_EQ(1, Send());
}

}  // namespace
}  // namespace qv
