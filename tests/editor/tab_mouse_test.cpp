// The mouse over the strip: pressing, dragging, scrolling, closing and the context menu, with the
// cursor put on the strip and the messages Windows sends for it.
#include "tests/editor/tab_strip_fixture.h"
#include "tests/editor/gdi_slots.h"

namespace sbx::test {
namespace {

using qv::StripButton;

class TabMouseTest : public TabStripTest {
 protected:
  // Documents "P - 1" to "P - count", the strip painted.
  std::vector<HWND> OpenMany(int count, const wchar_t* padding = L"") {
    Attach();
    std::vector<HWND> windows;
    for (int i = 1; i <= count; ++i) windows.push_back(Open((L"P - " + std::to_wstring(i) + padding).c_str()));
    Paint();
    return windows;
  }
};

TEST_F(TabMouseTest, PressingATabActivatesItAtOnceAndDraggingReordersPastHalfItsWidth) {
  const std::vector<HWND> w = OpenMany(3, L" wide caption");
  PointAtTab(0);
  StripMouse(WM_LBUTTONDOWN);
  EXPECT_EQ(w[0], Active());
  EXPECT_EQ(0, Strip().PressedTab());
  // The pressed tab is the active one now, in bold.
  const qv::PixelRect first = Strip().TabRects()[0], second = Strip().TabRects()[1];
  const struct {
    int x, y;
    std::vector<std::intptr_t> order;
  } moves[] = {{first.left + 3, 10, Order({w[0], w[1], w[2]})},
               {second.left + 2, 10, Order({w[1], w[0], w[2]})},
               {second.left + 6, 10, Order({w[1], w[0], w[2]})},
               {1000, 90, Order({w[1], w[0], w[2]})},
               {1000, 10, Order({w[1], w[2], w[0]})},
               {0, 10, Order({w[0], w[1], w[2]})}};
  for (const auto& move : moves) {
    PointAt(move.x, move.y);
    CapturedMouse(WM_MOUSEMOVE);
    Settle();
    EXPECT_EQ(move.order, Strip().Tabs()) << move.x << ',' << move.y;
  }
  CapturedMouse(WM_LBUTTONUP);
  EXPECT_EQ(qv::kNoTab, Strip().PressedTab());
  EXPECT_EQ(nullptr, GetCapture());
}

// Two hundred tabs of 8 pixels (no caption) from x = 3: the last ends at 1603; a step is the 600-pixel
// window less the average tab; the offset stops where the last tab ends 4 pixels before the
// buttons: 1603 - (600 - 48) + 4 = 1055.
TEST_F(TabMouseTest, TheScrollButtonsMoveByTheStepOnThePress) {
  Attach();
  const HWND first = Open(L"");
  for (int i = 1; i < 200; ++i) Open(L"");
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  Settle();
  ASSERT_EQ(1603, Strip().TabRects().back().right);
  ASSERT_EQ(0, Strip().ScrollOffset());
  const struct {
    StripButton button;
    int offset;
    bool enabled;
  } presses[] = {{StripButton::kScrollRight, 592, true},  {StripButton::kScrollRight, 1055, true},
                 {StripButton::kScrollRight, 1055, false}, {StripButton::kScrollLeft, 463, true},
                 {StripButton::kScrollLeft, 0, true},      {StripButton::kScrollLeft, 0, false}};
  for (const auto& press : presses) {
    PointAtButton(press.button);
    StripMouse(WM_MOUSEMOVE);
    EXPECT_EQ(press.enabled ? press.button : StripButton::kNone, Strip().HotButton());
    CapturedMouse(WM_LBUTTONDOWN);
    EXPECT_EQ(press.offset, Strip().ScrollOffset());
    CapturedMouse(WM_LBUTTONUP);
    Settle();
  }
}

// The last document closed, the strip's buttons are gone with its tabs: none takes the mouse.
TEST_F(TabMouseTest, WithNoDocumentWindowsNoButtonTakesTheMouse) {
  const std::vector<HWND> w = OpenMany(12, L" a long caption for scrolling");
  ASSERT_GT(Strip().ScrollOffset(), 0);
  for (const HWND window : w) SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  Paint();
  ASSERT_TRUE(Strip().Tabs().empty());
  for (const StripButton button : {StripButton::kScrollLeft, StripButton::kScrollRight, StripButton::kClose}) {
    PointAtButton(button);
    StripMouse(WM_MOUSEMOVE);
    StripMouse(WM_LBUTTONDOWN);
    EXPECT_EQ(nullptr, GetCapture()) << static_cast<int>(button);
    EXPECT_EQ(StripButton::kNone, Strip().HotButton()) << static_cast<int>(button);
    EXPECT_EQ(0, Strip().ScrollOffset()) << static_cast<int>(button);
  }
}

// The pressed tab's window closes before the release: the tab that takes its place is neither
// dragged nor activated.
TEST_F(TabMouseTest, APressedWindowThatClosesIsNeitherDraggedNorActivated) {
  const std::vector<HWND> w = OpenMany(3);
  PointAtTab(0);
  Settle();  // the cursor's own move before the press
  StripMouse(WM_LBUTTONDOWN);
  ASSERT_EQ(w[0], Active());
  SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(w[0]), 0);
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w[2]), 0);
  Paint();
  ASSERT_EQ(client_, GetCapture());
  ASSERT_EQ(Order({w[1], w[2]}), Strip().Tabs());
  EXPECT_EQ(qv::kNoTab, Strip().PressedTab());
  PointAt(1000, 10);
  CapturedMouse(WM_MOUSEMOVE);
  Settle();
  EXPECT_EQ(Order({w[1], w[2]}), Strip().Tabs());
  CapturedMouse(WM_LBUTTONUP);
  Settle();
  EXPECT_EQ(w[2], Active());
  EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(TabMouseTest, TheCloseButtonClosesTheActiveWindowOnlyOnReleaseOverIt) {
  const std::vector<HWND> w = OpenMany(3);
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(w[1]), 0);
  const struct {
    bool release_over;
    bool closed;
  } cases[] = {{false, false}, {true, true}};
  for (const auto& c : cases) {
    PointAtButton(StripButton::kClose);
    StripMouse(WM_LBUTTONDOWN);
    EXPECT_EQ(StripButton::kClose, Strip().HotButton());
    if (!c.release_over) PointAt(300, 200);
    CapturedMouse(WM_MOUSEMOVE);
    CapturedMouse(WM_LBUTTONUP);
    Settle();
    EXPECT_EQ(c.closed, !IsWindow(w[1])) << c.release_over;
    EXPECT_TRUE(IsWindow(w[0]) && IsWindow(w[2]));
    EXPECT_EQ(StripButton::kNone, Strip().PressedButton());
  }
}

void CALLBACK EndMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  ::EndMenu();
}

TEST_F(TabMouseTest, ARightClickActivatesTheTabAndAimsTheMenuAtIt) {
  const std::vector<HWND> w = OpenMany(3);
  for (const int tab : {0, 2, 1}) {
    // At the tab's very left edge: a point 2 pixels off would hit its left neighbour.
    PointAt(Strip().TabRects()[static_cast<std::size_t>(tab)].left - Strip().ScrollOffset(), 10);
    SetTimer(nullptr, 0, 1, EndMenu);
    StripMouse(WM_RBUTTONUP);
    EXPECT_EQ(w[static_cast<std::size_t>(tab)], Strip().MenuTarget());
    EXPECT_EQ(w[static_cast<std::size_t>(tab)], Active());
  }
}

TEST_F(TabMouseTest, LosingTheCaptureResetsPressedAndHotState) {
  OpenMany(2);
  const HWND other = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const struct {
    bool on_tab;
    UINT message;
  } cases[] = {{true, WM_LBUTTONDOWN}, {false, WM_LBUTTONDOWN}, {false, WM_MOUSEMOVE}};
  for (const auto& c : cases) {
    c.on_tab ? PointAtTab(1) : PointAtButton(StripButton::kClose);
    StripMouse(c.message);
    ASSERT_EQ(client_, GetCapture());
    SetCapture(other);
    EXPECT_EQ(qv::kNoTab, Strip().PressedTab());
    EXPECT_EQ(StripButton::kNone, Strip().HotButton());
    EXPECT_EQ(StripButton::kNone, Strip().PressedButton());
    ReleaseCapture();
  }
  DestroyWindow(other);
}

// The highest slot of the GDI handle table that 200 new objects take. Freed slots are taken again,
// so it stays put while nothing leaks, and climbs as leaked objects hold slots.
// The handle slots and the picture show the balance.
TEST_F(TabMouseTest, AHundredPaintsOfFiftyTabsLeaveTheGdiObjectsBalanced) {
  OpenMany(50);
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const int slot = HighestFreeSlot();
  const qv::PixelRect close = Geometry().Button(StripButton::kClose);
  for (int paint = 0; paint < kLeakTestPaints; ++paint) RedrawWindow(client_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(before, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  EXPECT_GT(kLeakClimb, HighestFreeSlot() - slot);
  const COLORREF ground = qv::BlendColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 80);
  EXPECT_EQ(ground, Pixel(close.left + 1, 5));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), Pixel(0, 100));
  EXPECT_EQ(GetSysColor(COLOR_3DHIGHLIGHT), Pixel(close.left + 1, 21));
  const qv::PixelRect active = Strip().TabRects()[49];
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), Pixel(active.left + 2 - Strip().ScrollOffset(), active.top + 2));
  int cross = 0;
  for (int x = close.left + 2; x < close.right - 2; ++x) {
    for (int y = close.top + 2; y < close.bottom - 2; ++y) cross += Pixel(x, y) == GetSysColor(COLOR_3DDKSHADOW);
  }
  EXPECT_LT(0, cross);
}

}  // namespace
}  // namespace sbx::test
