// The wheel taken from the queue: the code window in SDI mode and floating tool windows. Only the
// intended message leaves the queue; every other one stays for the host.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/wheel_poll.h"
#include "tests/editor/wheel_fixture.h"

namespace sbx::test {
namespace {

struct Queued {
  HWND window;
  UINT message;
  WPARAM wparam;
};

// The messages of this thread's queue, taken out in order; line, timer and paint messages are
// dispatched instead.
std::vector<Queued> TakeQueue() {
  std::vector<Queued> queued;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_VSCROLL || message.message == WM_TIMER || message.message == WM_PAINT) {
      DispatchMessageW(&message);  // a paint stays queued until it is dispatched
    } else {
      queued.push_back({message.hwnd, message.message, message.wParam});
    }
  }
  return queued;
}

bool operator==(const Queued& a, const Queued& b) {
  return a.window == b.window && a.message == b.message && a.wparam == b.wparam;
}

class WheelPollTest : public WheelTest {
 protected:
  // VB6 in SDI mode, abbreviations on, "rct" expanding to "Rect".
  CodeWindow& StartSdi() {
    CodeWindow& window = StartLines(60, {.personality = Personality::kVb6, .sdi = true});
    qv::State().settings.IsSDI = true;
    qv::State().settings.AutoText = true;
    qv::Tables().AutoInserts.Add(L"Rect", L"rct");
    TakeQueue();
    return window;
  }
  void TearDown() override {
    qv::Tables().AutoInserts = {};
    WheelTest::TearDown();
  }
};

TEST_F(WheelPollTest, InSdiModeOnlyTheCodeWindowsWheelAndSpaceReleaseLeaveTheQueue) {
  const HWND code = StartSdi().hwnd();
  const HWND main = MainWindow();
  struct Case {
    std::vector<Queued> posted;
    std::vector<Queued> left;
    long top_line;  // after the poll, from 10
  };
  const Queued wheel_down{code, WM_MOUSEWHEEL, WheelParam(-120)};
  const Queued key_a{code, WM_KEYUP, 'A'};
  const Queued space_elsewhere{main, WM_KEYUP, VK_SPACE};
  const Queued wheel_elsewhere{main, WM_MOUSEWHEEL, WheelParam(-120)};
  const Queued key_down{code, WM_KEYDOWN, VK_SPACE};
  const Case cases[] = {
      {{wheel_down}, {}, 13},
      {{{code, WM_MOUSEWHEEL, WheelParam(120)}}, {}, 7},
      {{key_a, wheel_down}, {key_a}, 13},
      {{space_elsewhere}, {space_elsewhere}, 10},
      {{wheel_elsewhere}, {wheel_elsewhere}, 10},
      {{key_down, space_elsewhere, wheel_down}, {key_down, space_elsewhere}, 13},
  };
  for (const Case& c : cases) {
    SetTopLine(10);
    for (const Queued& q : c.posted) PostMessageW(q.window, q.message, q.wparam, 0);
    qv::WheelPoll();
    EXPECT_EQ(c.left, TakeQueue()) << "case " << (&c - cases);
    EXPECT_EQ(c.top_line, TopLine()) << "case " << (&c - cases);
  }
}

TEST_F(WheelPollTest, TheSpaceReleaseInTheSdiCodeWindowExpandsTheAbbreviation) {
  const HWND code = StartSdi().hwnd();
  Invoke(CodeModule().Object(), L"ReplaceLine", DISPATCH_METHOD, {2L, std::wstring(L"x = rct ")});
  Select(2, 9);
  PostMessageW(code, WM_KEYUP, VK_SPACE, 0);
  qv::WheelPoll();
  EXPECT_TRUE(TakeQueue().empty());
  EXPECT_EQ(L"x = Rect", Get(CodeModule().Object(), L"Lines", {2L, 1L}).Text());

  qv::State().settings.AutoText = false;
  PostMessageW(code, WM_KEYUP, VK_SPACE, 0);
  qv::WheelPoll();
  EXPECT_EQ(1u, TakeQueue().size()) << "without abbreviations the key-up stays";
}

TEST_F(WheelPollTest, OutsideSdiModeTheCodeWindowsWheelIsLeftToTheHook) {
  const HWND code = StartLines(60).hwnd();
  TakeQueue();
  SetTopLine(10);
  PostMessageW(code, WM_MOUSEWHEEL, WheelParam(-120), 0);
  qv::WheelPoll();
  EXPECT_EQ(1u, TakeQueue().size());
  EXPECT_EQ(10, TopLine());
}

TEST_F(WheelPollTest, AFloatingToolWindowsWheelScrollsItsBarsAndADockedOnesStaysQueued) {
  StartLines(5);
  const ToolWindowParts floating = Tools().Add(L"Immediate", ToolPlace::kFloating);
  const ToolWindowParts docked = Tools().Add(L"Locals", ToolPlace::kDocked);
  TakeQueue();
  struct Case {
    long type;
    const wchar_t* caption;
    HWND window;
    int delta;
    std::size_t left;
  };
  const Case cases[] = {
      {5, L"Immediate", floating.window, -240, 0},
      {4, L"Locals", docked.window, -240, 1},
      {12, L"Immediate", floating.window, -240, 1},  // not a tool window that is active
  };
  for (const Case& c : cases) {
    host_->SetActiveWindow(c.type, c.caption);
    PostMessageW(c.window, WM_MOUSEWHEEL, WheelParam(c.delta), 0);
    PostMessageW(c.window, WM_KEYUP, 'A', 0);
    qv::WheelPoll();
    EXPECT_EQ(c.left + 1, TakeQueue().size()) << c.caption << ": the key-up stays";
  }
  // The posted line messages went to the floating window's first child, for its visible bar.
  EXPECT_EQ(6, Tools().VScrolls(floating.panel, floating.bar, SB_LINEDOWN));
  EXPECT_EQ(6, Tools().TotalVScrolls());
}

}  // namespace
}  // namespace sbx::test
