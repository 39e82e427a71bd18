// The host's window tree, activation, focus and closing.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sandbox/ui/input.h"
#include "tests/sandbox/ui/ui_fixture.h"

namespace sbx::test {
namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

std::vector<HWND> Children(HWND parent, const wchar_t* class_name) {
  std::vector<HWND> found;
  for (HWND child = nullptr; (child = FindWindowExW(parent, child, class_name, nullptr));) found.push_back(child);
  return found;
}

std::vector<HWND> OurTopLevel(const wchar_t* class_name) {
  std::vector<HWND> found;
  for (HWND window : Children(nullptr, class_name)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) found.push_back(window);
  }
  return found;
}

TEST_F(MdiTest, MdiWindowTree) {
  HWND frame = workspace_->MainWindow();
  EXPECT_EQ(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, StyleOf(frame) & (WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN));
  HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  ASSERT_NE(nullptr, client);
  EXPECT_EQ(workspace_->MdiClient(), client);
  EXPECT_TRUE(GetWindowLongPtrW(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  CodeWindow& window = OpenWindow(NumberedLines(3));
  HWND code = window.hwnd();
  EXPECT_EQ(client, GetParent(code));
  EXPECT_NE(std::wstring::npos, ClassOf(code).find(L"Window"));
  EXPECT_EQ(0u, GetClassLongPtrW(code, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC));
  EXPECT_TRUE(StyleOf(code) & WS_CLIPCHILDREN);
  EXPECT_EQ(L"Project1 - Module1 (Code)", window.Caption());
  EXPECT_EQ(code, reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)));
  EXPECT_EQ(code, GetFocus());
}

TEST_F(MdiTest, ScrollBarsAreDirectChildrenAndSplitShowsFourLowerVerticalFirst) {
  CodeWindow& window = OpenWindow(NumberedLines(50));
  HWND code = window.hwnd();
  auto visible = [&] {
    std::vector<HWND> bars;
    for (HWND bar : Children(code, L"ScrollBar")) {
      EXPECT_EQ(code, GetParent(bar));
      if (IsWindowVisible(bar)) bars.push_back(bar);
    }
    return bars;
  };
  RECT client;
  GetClientRect(code, &client);
  const LONG band = ClientOffset(code).y;

  std::vector<HWND> bars = visible();
  ASSERT_EQ(2u, bars.size());
  HWND vertical = StyleOf(bars[0]) & SBS_VERT ? bars[0] : bars[1];
  HWND horizontal = vertical == bars[0] ? bars[1] : bars[0];
  EXPECT_FALSE(StyleOf(horizontal) & SBS_VERT);
  RECT v, h;
  GetWindowRect(vertical, &v);
  GetWindowRect(horizontal, &h);
  MapWindowPoints(nullptr, code, reinterpret_cast<POINT*>(&v), 2);
  MapWindowPoints(nullptr, code, reinterpret_cast<POINT*>(&h), 2);
  EXPECT_EQ(client.right, v.right);
  EXPECT_EQ(band, v.top);
  EXPECT_EQ(client.bottom, h.bottom);
  EXPECT_EQ(0, h.left);

  window.Split(true);
  bars = visible();
  ASSERT_EQ(4u, bars.size());
  EXPECT_EQ(2, window.PaneCount());
  ASSERT_TRUE(StyleOf(bars[0]) & SBS_VERT);
  RECT first, other;
  GetWindowRect(bars[0], &first);
  HWND upper = StyleOf(bars[1]) & SBS_VERT ? bars[1] : bars[2];
  GetWindowRect(upper, &other);
  EXPECT_GT(first.top, other.bottom) << "the lower pane's vertical bar comes first";

  window.Split(false);
  EXPECT_EQ(2u, visible().size());
  EXPECT_EQ(1, window.PaneCount());
}

TEST_F(MdiTest, PopupsExistHiddenBeforeAnyAddInAndTestsShowThem) {
  const std::vector<HWND> popups = OurTopLevel(L"CBarPopup");
  ASSERT_EQ(2u, popups.size());
  HWND tabs = nullptr;
  for (HWND popup : popups) {
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_TRUE(StyleOf(popup) & WS_POPUP);
    if (HWND child = FindWindowExA(popup, nullptr, "SysTabControl32", nullptr)) tabs = child;
  }
  ASSERT_NE(nullptr, tabs);
  EXPECT_EQ(2, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  workspace_->Popups().OpenColourPopup(1);
  EXPECT_TRUE(IsWindowVisible(GetParent(tabs)));
  EXPECT_EQ(1, SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0));
  workspace_->Popups().OpenColourPopup(0);
  EXPECT_EQ(0, SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0));

  const std::vector<HWND> lists = OurTopLevel(L"NameListWndClass");
  ASSERT_EQ(1u, lists.size());
  EXPECT_FALSE(IsWindowVisible(lists[0]));
  workspace_->Popups().ShowNameList(true);
  EXPECT_TRUE(IsWindowVisible(lists[0]));
  workspace_->Popups().ShowNameList(false);
  EXPECT_FALSE(IsWindowVisible(lists[0]));
}

TEST_F(MdiTest, FocusMainWindowMakesTheFrameForegroundAndTheActiveChildKeepsTheFocus) {
  CodeWindow& window = OpenWindow(L"x");
  HWND other = CreateWindowExW(0, L"STATIC", L"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  PumpFor(50);
  ASSERT_EQ(other, GetForegroundWindow());
  workspace_->FocusMainWindow();
  EXPECT_EQ(workspace_->MainWindow(), GetForegroundWindow());
  EXPECT_EQ(window.hwnd(), GetFocus());
  DestroyWindow(other);
}

TEST_F(MdiTest, OpeningWithoutActivationLeavesTheActiveWindowAndCtrlF6GoesToTheNext) {
  CodeWindow& first = OpenWindow(L"a", L"First");
  CodeWindow& second = workspace_->OpenCodeWindow(Module(L"b"), L"Project1 - Second (Code)", false);
  EXPECT_EQ(&first, workspace_->ActiveCodeWindow());
  EXPECT_EQ(&first, workspace_->LastActiveCodeWindow());
  EXPECT_EQ((std::vector<CodeWindow*>{&first, &second}), workspace_->CodeWindows());

  workspace_->Activate(second);
  EXPECT_EQ(&second, workspace_->ActiveCodeWindow());
  EXPECT_EQ(second.hwnd(), GetFocus());
  // Through the host's loop: TranslateMDISysAccel.
  SendKey(VK_F6, kCtrl);
  EXPECT_EQ(&first, workspace_->ActiveCodeWindow());
  EXPECT_EQ(&first, workspace_->LastActiveCodeWindow());

  workspace_->direct_activation = true;
  workspace_->Activate(second);
  EXPECT_EQ(&second, workspace_->ActiveCodeWindow());
}

TEST_F(MdiTest, ClosingAWindowRunsTheHookAndActivatesTheNext) {
  CodeWindow& first = OpenWindow(L"a", L"First");
  CodeWindow& second = OpenWindow(L"b", L"Second");
  HWND closed = second.hwnd();
  std::wstring hooked;
  workspace_->on_code_window_destroyed = [&](CodeWindow& window) {
    hooked = window.Caption();
    const std::vector<CodeWindow*> open = workspace_->CodeWindows();
    EXPECT_EQ(1, std::count(open.begin(), open.end(), &window)) << "still listed while the hook runs";
  };
  PostMessageW(closed, WM_CLOSE, 0, 0);
  PumpUntil(2000, [&] { return !IsWindow(closed); });
  EXPECT_FALSE(IsWindow(closed));
  EXPECT_EQ(L"Project1 - Second (Code)", hooked);
  EXPECT_EQ(1, workspace_->CloseMessagesReceived(closed));
  EXPECT_EQ((std::vector<CodeWindow*>{&first}), workspace_->CodeWindows());
  EXPECT_EQ(&first, workspace_->ActiveCodeWindow());
  EXPECT_EQ(&first, workspace_->LastActiveCodeWindow());

  PostMessageW(first.hwnd(), WM_CLOSE, 0, 0);
  PumpUntil(2000, [&] { return workspace_->CodeWindows().empty(); });
  EXPECT_EQ(nullptr, workspace_->ActiveCodeWindow());
  EXPECT_EQ(nullptr, workspace_->LastActiveCodeWindow());
}

TEST_F(MdiTest, ADesignerIsADocumentWindowOfItsOwnClassActivatedByEitherPath) {
  CodeWindow& code = OpenWindow(L"a", L"First");
  for (const bool direct : {false, true}) {
    workspace_->direct_activation = direct;
    const HWND designer = workspace_->OpenDesignerWindow(L"Project1 - Form1 (UserForm)");
    EXPECT_EQ(L"SbxDesignerWindow", ClassOf(designer));
    EXPECT_EQ(workspace_->MdiClient(), GetParent(designer));
    EXPECT_EQ(designer, reinterpret_cast<HWND>(SendMessageW(workspace_->MdiClient(), WM_MDIGETACTIVE, 0, 0)));
    EXPECT_EQ(nullptr, workspace_->ActiveCodeWindow());
    workspace_->Activate(code);
    EXPECT_EQ(&code, workspace_->ActiveCodeWindow()) << direct;
  }
}

TEST_F(SdiTest, SdiCodeWindowsAreTopLevelAndBecomeForegroundWhenActivated) {
  HWND frame = workspace_->MainWindow();
  EXPECT_EQ(nullptr, workspace_->MdiClient());
  EXPECT_EQ(nullptr, FindWindowExA(frame, nullptr, "MDIClient", nullptr));
  CodeWindow& first = OpenWindow(L"a", L"First");
  CodeWindow& second = workspace_->OpenCodeWindow(Module(L"b"), L"Project1 - Second (Code)", false);
  for (CodeWindow* window : {&first, &second}) {
    EXPECT_EQ(GetDesktopWindow(), GetAncestor(window->hwnd(), GA_PARENT));
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(4u, Children(window->hwnd(), L"ScrollBar").size());
  }
  EXPECT_EQ(first.hwnd(), GetForegroundWindow());
  EXPECT_EQ(first.hwnd(), FindWindowW(nullptr, L"Project1 - First (Code)"));
  EXPECT_EQ(&first, workspace_->ActiveCodeWindow());

  workspace_->Activate(second);
  EXPECT_EQ(second.hwnd(), GetForegroundWindow());
  EXPECT_EQ(second.hwnd(), GetFocus());
  EXPECT_EQ(&second, workspace_->ActiveCodeWindow());
  workspace_->FocusMainWindow();
  EXPECT_EQ(frame, GetForegroundWindow());
  EXPECT_EQ(&second, workspace_->ActiveCodeWindow()) << "the last activated document window";
}

}  // namespace
}  // namespace sbx::test
