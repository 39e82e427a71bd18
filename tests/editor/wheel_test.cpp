// The wheel hook of the main window: a code pane moves by one step per message, a tool window's
// vertical bars each get their line messages, and nothing goes to a window that is not the host's.
#include <windows.h>

#include <string>
#include <thread>

#include "editor/wheel_scroll.h"
#include "tests/editor/wheel_fixture.h"
#include "win/registry.h"
#include "win/subclass.h"

namespace sbx::test {
namespace {

constexpr WPARAM kUp = SB_LINEUP, kDown = SB_LINEDOWN;

TEST_F(WheelTest, ACodePaneMovesByOneStepPerMessageAndNeverAboveLineOne) {
  struct Case {
    long top;
    WPARAM wparam;
    long scroll_height;
    long expected;  // 0: the first line plus the pane's visible lines
  };
  // The low 32 bits carry the delta; on 64-bit the sign is theirs, whatever the high bits hold.
  const WPARAM away = WheelParam(120), towards = WheelParam(-120);
  const Case cases[] = {
      {2, away, 3, 1},
      {10, away, 3, 7},
      {10, towards, 3, 13},
      {10, WheelParam(240), 3, 7},           // one message, one step, whatever its delta
      {10, WheelParam(-60), 3, 13},          // less than a notch still moves
      {10, WheelParam(-120, MK_SHIFT), 2, 12},
      {10, static_cast<WPARAM>(static_cast<LONG_PTR>(static_cast<LONG>(towards))), 3, 13},  // sign-extended
      {10, towards, 0, 11},                  // at least one line
      {1, towards, -1, 0},                   // the system's "one page"
      {1, towards, 1000, 101},               // at most a hundred lines
  };
  StartLines(300);
  wheel_.Attach(MainWindow());
  const long visible = Get(Pane().Object(), L"CountOfVisibleLines").Long();
  ASSERT_GT(visible, 1);
  for (const Case& c : cases) {
    qv::State().settings.ScrollHeight = static_cast<std::int32_t>(c.scroll_height);
    SetTopLine(c.top);
    SendMessageW(MainWindow(), WM_MOUSEWHEEL, c.wparam, 0);
    EXPECT_EQ(c.expected ? c.expected : c.top + visible, TopLine())
        << "top " << c.top << ", wparam " << std::hex << c.wparam << std::dec << ", height " << c.scroll_height;
  }
}

TEST_F(WheelTest, WithScrollingSwitchedOffTheMessageOnlyPassesThrough) {
  StartLines(50);
  wheel_.Attach(MainWindow());
  qv::State().settings.Scrolling = false;
  SetTopLine(10);
  SendMessageW(MainWindow(), WM_MOUSEWHEEL, WheelParam(-120), 0);
  EXPECT_EQ(10, TopLine());
}

TEST_F(WheelTest, EachVisibleVerticalBarOfTheToolWindowGetsItsLineMessages) {
  struct Case {
    ToolPlace place;
    long type;
    int delta;
    WORD keys;
    long scroll_height;
    WPARAM code;
    int expected;
  };
  const Case cases[] = {
      {ToolPlace::kDocked, 5, 240, 0, 3, kUp, 6},        // two notches, three lines each
      {ToolPlace::kDocked, 4, -120, 0, 3, kDown, 3},
      {ToolPlace::kInMdiClient, 3, -120, 0, 2, kDown, 2},
      {ToolPlace::kDocked, 5, 60, 0, 3, kUp, 0},         // half a notch is none
      {ToolPlace::kDocked, 5, 180, 0, 1, kUp, 2},        // 1.5 to the even 2
      {ToolPlace::kDocked, 5, 300, 0, 1, kUp, 2},        // 2.5 to the even 2
      {ToolPlace::kDocked, 5, -180, 0, 1, kDown, 2},
      {ToolPlace::kDocked, 5, 120, MK_CONTROL, 1, kUp, 1},
      {ToolPlace::kDocked, 5, -120, 0, 1000, kDown, 100},
      {ToolPlace::kDocked, 5, 32640, 0, 100, kUp, 500},  // 272 notches, capped
  };
  StartLines(5);
  wheel_.Attach(MainWindow());
  int n = 0;
  for (const Case& c : cases) {
    const std::wstring caption = L"Tool " + std::to_wstring(++n);
    const ToolWindowParts tool = Tools().Add(caption, c.place);
    host_->SetActiveWindow(c.type, caption);
    qv::State().settings.ScrollHeight = static_cast<std::int32_t>(c.scroll_height);
    const int before = Tools().TotalVScrolls();
    SendMessageW(MainWindow(), WM_MOUSEWHEEL, WheelParam(c.delta, c.keys), 0);
    Drain();
    EXPECT_EQ(c.expected, Tools().VScrolls(tool.window, tool.bar, c.code)) << "case " << n;
    EXPECT_EQ(c.expected, Tools().TotalVScrolls() - before) << "case " << n << ": hidden and horizontal bars get none";
  }
}

TEST_F(WheelTest, TheSystemsOnePageSettingMovesABarByItsPage) {
  StartLines(5);
  wheel_.Attach(MainWindow());
  const ToolWindowParts tool = Tools().Add(L"Locals", ToolPlace::kDocked);
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 100, 7, 0, 0};
  SetScrollInfo(tool.bar, SB_CTL, &info, FALSE);
  host_->SetActiveWindow(4, L"Locals");
  qv::State().settings.ScrollHeight = -1;
  SendMessageW(MainWindow(), WM_MOUSEWHEEL, WheelParam(-240), 0);
  Drain();
  EXPECT_EQ(14, Tools().VScrolls(tool.window, tool.bar, kDown));
}

TEST_F(WheelTest, WithTheMainWindowActiveTheWindowUnderThePointerScrollsButNotTheMdiClient) {
  StartLines(5);
  wheel_.Attach(MainWindow());
  host_->SetActiveWindow(12, L"Microsoft Visual Basic");
  const ToolWindowParts tool = Tools().Add(L"Watches", ToolPlace::kInMdiClient);
  const HWND client = host_->workspace().MdiClient();
  // The code window fills the client; its own bars are the client's descendants too.
  ShowWindow(host_->workspace().CodeWindows()[0]->hwnd(), SW_MINIMIZE);
  POINT over_panel{10, 10};
  ClientToScreen(tool.panel, &over_panel);
  wchar_t name[100] = {};
  GetClassNameW(WindowFromPoint(over_panel), name, 100);
  ASSERT_EQ(tool.panel, WindowFromPoint(over_panel)) << name;
  RECT area{};
  GetClientRect(client, &area);
  POINT over_client{area.right - 5, 5};
  ClientToScreen(client, &over_client);
  ASSERT_EQ(client, WindowFromPoint(over_client));

  SendMessageW(MainWindow(), WM_MOUSEWHEEL, WheelParam(-120), PointParam(over_client));
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_VSCROLL, WM_VSCROLL, PM_NOREMOVE)) << "nothing for the MDI client";
  SendMessageW(MainWindow(), WM_MOUSEWHEEL, WheelParam(-120), PointParam(over_panel));
  Drain();
  EXPECT_EQ(3, Tools().VScrolls(tool.panel, tool.bar, kDown));
  EXPECT_EQ(3, Tools().TotalVScrolls());
}

// A window of another thread (another program's, say) under the pointer.
class OtherThreadWindow {
 public:
  OtherThreadWindow() {
    thread_ = std::thread([this] {
      window_ = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
      bar_ = CreateWindowExW(0, L"ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 16, 40, window_,
                             nullptr, nullptr, nullptr);
      SetEvent(ready_);
      WaitForSingleObject(done_, INFINITE);
      MSG message;
      while (PeekMessageW(&message, nullptr, WM_VSCROLL, WM_VSCROLL, PM_REMOVE)) ++received_;
      DestroyWindow(window_);
    });
    WaitForSingleObject(ready_, INFINITE);
  }
  ~OtherThreadWindow() {
    if (thread_.joinable()) Finish();
    CloseHandle(ready_);
    CloseHandle(done_);
  }
  HWND window() const { return window_; }
  // What it received, once its thread has looked.
  int Finish() {
    SetEvent(done_);
    thread_.join();
    return received_;
  }

 private:
  HANDLE ready_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND window_ = nullptr;
  HWND bar_ = nullptr;
  int received_ = 0;
  std::thread thread_;
};

TEST_F(WheelTest, NothingIsPostedToNoWindowOrToAnotherThreadsWindow) {
  StartLines(5);
  OtherThreadWindow other;
  qv::PostLineScrolls(nullptr, 1);
  qv::PostLineScrolls(other.window(), -2);
  MSG message;
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_VSCROLL, WM_VSCROLL, PM_NOREMOVE)) << "no thread message";
  EXPECT_EQ(0, other.Finish());
  // The control: the same call on a window of the host's own thread does post.
  const ToolWindowParts tool = Tools().Add(L"Immediate", ToolPlace::kDocked);
  qv::PostLineScrolls(tool.window, -2);
  Drain();
  EXPECT_EQ(6, Tools().VScrolls(tool.window, tool.bar, kDown));
}

// A hook that comes after the wheel's, as another add-in's would.
class CountingHook : public qv::Subclass {
 public:
  int wheels = 0;

 protected:
  std::optional<LRESULT> OnMessage(HWND, UINT& message, WPARAM&, LPARAM&) override {
    if (message == WM_MOUSEWHEEL) ++wheels;
    return std::nullopt;
  }
};

// A class key that goes when the test ends.
struct RegisteredClass {
  explicit RegisteredClass(const wchar_t* path) : path_(path) {}
  ~RegisteredClass() { RegDeleteTreeW(HKEY_CLASSES_ROOT, path_); }
  const wchar_t* path_;
};

constexpr wchar_t kWheelSupportKey[] = L"CLSID\\{B84F8C6E-BDDE-4384-9946-82EEE7F81D48}";
constexpr wchar_t kWheelSupportFile[] = L"sbx_wheel_support.dll";

// The test library beside this program.
std::wstring WheelSupportPath() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const std::wstring folder(exe);
  return folder.substr(0, folder.rfind(L'\\') + 1) + kWheelSupportFile;
}

// Registered as the wheel-support server as COM registers servers: the text with its terminating NUL.
void RegisterWheelSupport(const std::wstring& path) {
  EXPECT_EQ(ERROR_SUCCESS, qv::SetRegValue(HKEY_CLASSES_ROOT, std::wstring(kWheelSupportKey) + L"\\InprocServer32", L"",
                                           path, qv::TextEnd::kNul));
}

TEST_F(WheelTest, TheRegisteredLibraryIsLoadedWhileHookedAndUnhookingLeavesTheChainWhole) {
  const RegisteredClass registered(kWheelSupportKey);
  const std::wstring library = WheelSupportPath();
  RegisterWheelSupport(library);
  StartLines(50);
  ASSERT_EQ(nullptr, GetModuleHandleW(library.c_str()));
  wheel_.Attach(MainWindow());
  EXPECT_TRUE(wheel_.Hooked());
  EXPECT_NE(nullptr, GetModuleHandleW(library.c_str()));
  CountingHook later;
  ASSERT_TRUE(later.Hook(MainWindow()));

  wheel_.Detach();
  EXPECT_FALSE(wheel_.Hooked());
  EXPECT_EQ(nullptr, GetModuleHandleW(library.c_str())) << "freed once, at the unhook";
  SetTopLine(10);
  SendMessageW(MainWindow(), WM_MOUSEWHEEL, WheelParam(-120), 0);
  EXPECT_EQ(10, TopLine()) << "the wheel hook is out";
  EXPECT_EQ(1, later.wheels) << "the later hook still sees the message";
  later.Unhook();
}

// The library comes only with the hook and goes with it, however the hook comes off; a path that is
// not a full one is never searched for.
TEST_F(WheelTest, TheLibraryIsLoadedOnlyFromAFullPathAndOnlyWithTheHook) {
  const RegisteredClass registered(kWheelSupportKey);
  const std::wstring full = WheelSupportPath();
  StartLines(5);
  const HWND gone = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const struct {
    std::wstring path;
    bool hookable;
    bool loaded;
  } cases[] = {
      {full, true, true},
      {kWheelSupportFile, true, false},
      {L".\\" + std::wstring(kWheelSupportFile), true, false},
      {full.substr(0, 2) + full.substr(3), true, false},  // "C:folder\...": relative to the drive's folder
      {full, false, false},
  };
  for (const auto& c : cases) {
    RegisterWheelSupport(c.path);
    const HWND window = c.hookable ? CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                                     nullptr, nullptr)
                                   : gone;
    wheel_.Attach(window);
    EXPECT_EQ(c.hookable, wheel_.Hooked()) << c.path;
    EXPECT_EQ(c.loaded, GetModuleHandleW(full.c_str()) != nullptr) << c.path;
    // The window goes first: its hook comes off by itself, and no unhook follows.
    if (c.hookable) DestroyWindow(window);
    EXPECT_FALSE(wheel_.Hooked()) << c.path;
    EXPECT_EQ(nullptr, GetModuleHandleW(full.c_str())) << c.path;
  }
}

}  // namespace
}  // namespace sbx::test
