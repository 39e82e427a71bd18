// The tab strip over an MDI client: its room in the frame, its tabs, its picture and its mouse.
#include "tests/editor/tab_strip_fixture.h"

#include <algorithm>

#include "editor/back_buffer.h"
#include "win/subclass.h"

namespace sbx::test {
namespace {

using qv::StripButton;

TEST(BackBufferTest, OnlyGrowsAndFreesEverything) {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  {
    qv::BackBuffer buffer;
    EXPECT_EQ(nullptr, buffer.hdc());
    const struct {
      int width, height, kept_width, kept_height;
      bool same_dc;
    } steps[] = {{300, 24, 300, 24, false}, {200, 24, 300, 24, true}, {300, 20, 300, 24, true},
                 {300, 30, 300, 30, false}, {310, 10, 310, 30, false}, {0, 0, 310, 30, true}};
    for (const auto& step : steps) {
      const HDC before = buffer.hdc();
      buffer.Grow(step.width, step.height);
      EXPECT_EQ(step.kept_width, buffer.Width()) << step.width;
      EXPECT_EQ(step.kept_height, buffer.Height()) << step.height;
      EXPECT_EQ(step.same_dc, before == buffer.hdc()) << step.width << 'x' << step.height;
      BITMAP info{};
      GetObjectW(GetCurrentObject(buffer.hdc(), OBJ_BITMAP), sizeof info, &info);
      EXPECT_EQ(step.kept_width, info.bmWidth);
    }
    dc = buffer.hdc();
    bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(dc));
  }
  EXPECT_EQ(0u, GetObjectType(dc));
  EXPECT_EQ(0u, GetObjectType(bitmap));
}

TEST_F(TabStripTest, TheClientMakesRoomRightAfterAttachingAndAtBothPositions) {
  const struct {
    long position;
    qv::PixelRect client;
  } cases[] = {{0, {2, 24, 598, 398}}, {1, {2, 2, 598, 376}}, {0, {2, 24, 598, 398}}};
  Attach();
  EXPECT_EQ((qv::PixelRect{2, 24, 598, 398}), ClientInWindow());
  for (const auto& c : cases) {
    strip_.SetPosition(c.position);
    EXPECT_EQ(c.client, ClientInWindow()) << c.position;
  }
  // A caller's WINDOWPOS may hold zeros: the insets apply to the rectangle received.
  const struct {
    long position;
    RECT received, inside;
  } received[] = {{1, {10, 20, 110, 220}, {12, 22, 108, 196}}, {0, {10, 20, 110, 220}, {12, 44, 108, 218}}};
  for (const auto& c : received) {
    strip_.SetPosition(c.position);
    WINDOWPOS zeros{};
    NCCALCSIZE_PARAMS params{{c.received, c.received, c.received}, &zeros};
    SendMessageW(client_, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    EXPECT_TRUE(EqualRect(&c.inside, &params.rgrc[0])) << c.position;
  }
  // Apply: stopped and started again.
  strip_.Detach();
  strip_.Terminate();
  EXPECT_EQ((qv::PixelRect{2, 2, 598, 398}), ClientInWindow());
  strip_.Init();
  strip_.Attach(frame_);
  EXPECT_EQ((qv::PixelRect{2, 24, 598, 398}), ClientInWindow());
}

// Another module's hook on the client, counting what reaches it.
class Counter : public qv::Subclass {
 public:
  int paints = 0;

 protected:
  std::optional<LRESULT> OnMessage(HWND, UINT& message, WPARAM&, LPARAM&) override {
    if (message == WM_NCPAINT) ++paints;
    return std::nullopt;
  }
};

TEST_F(TabStripTest, DetachingKeepsTheExtendedStyleAndTheChain) {
  const struct {
    bool client_edge, hook_first;
  } cases[] = {{true, true}, {false, true}, {true, false}};
  for (const auto& c : cases) {
    const LONG_PTR style = GetWindowLongPtrW(client_, GWL_EXSTYLE);
    SetWindowLongPtrW(client_, GWL_EXSTYLE, c.client_edge ? style | WS_EX_CLIENTEDGE : style & ~WS_EX_CLIENTEDGE);
    Counter other;
    if (c.hook_first) other.Hook(client_);
    Attach();
    if (!c.hook_first) other.Hook(client_);
    EXPECT_EQ(0, GetWindowLongPtrW(client_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    strip_.Detach();
    strip_.Detach();
    EXPECT_EQ(c.client_edge, (GetWindowLongPtrW(client_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    EXPECT_EQ(c.client_edge ? 2 : 0, ClientInWindow().left);
    const int paints = other.paints;
    RedrawWindow(client_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_LT(paints, other.paints) << c.hook_first;
    EXPECT_FALSE(Strip().Hooked());
  }
}

TEST_F(TabStripTest, TabsKeepTheUsersOrderOfDirectDocumentChildren) {
  Attach();
  const HWND a = Open(L"P - A"), b = Open(L"P - B", L"DesignerWindow");
  Open(L"lower", L"toolwindow");
  CreateWindowExW(0, L"VbaWindow", L"inner", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, a, nullptr, nullptr, nullptr);
  const HWND c = Open(L"P - C");
  Paint();
  EXPECT_EQ(Order({a, b, c}), Strip().Tabs());
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);  // first in the z-order now
  SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(b), 0);
  const HWND d = Open(L"P - D");
  Paint();
  EXPECT_EQ(Order({a, c, d}), Strip().Tabs());
}

TEST_F(TabStripTest, CloseCommandsReachOnlyDirectDocumentChildrenAndSpareTheKeptOne) {
  Attach();
  const struct {
    qv::TabCommand command;
    int target;  // 0 to 2, 3: the lower-case window, 4: the inner window, 5: a gone window
    bool open[5];
  } cases[] = {{qv::TabCommand::kClose, 1, {true, false, true, true, true}},
               {qv::TabCommand::kClose, 3, {true, true, true, true, true}},
               {qv::TabCommand::kClose, 4, {true, true, true, true, true}},
               {qv::TabCommand::kClose, 5, {true, true, true, true, true}},
               {qv::TabCommand::kCloseAllButThis, 1, {false, true, false, true, false}},
               {qv::TabCommand::kCloseAllButThis, 4, {true, true, true, true, true}},
               {qv::TabCommand::kCloseAll, 0, {false, false, false, true, false}}};
  for (const auto& c : cases) {
    HWND windows[6] = {Open(L"P - A"), Open(L"P - B", L"DesignerWindow"), Open(L"P - C"), Open(L"x", L"toolwindow")};
    windows[4] = CreateWindowExW(0, L"VbaWindow", L"inner", WS_CHILD, 0, 0, 9, 9, windows[0], nullptr, nullptr, nullptr);
    windows[5] = Open(L"gone");
    DestroyWindow(windows[5]);
    strip_.RunCommand(c.command, windows[c.target]);
    Settle();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(c.open[i], IsWindow(windows[i]) != FALSE) << c.target << " window " << i;
    for (const HWND window : windows) {
      if (IsWindow(window) && GetParent(window) == client_) SendMessageW(client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    }
  }
}

TEST_F(TabStripTest, PixelsOfTheGroundTheActiveTabAndTheButtons) {
  const COLORREF ground = qv::BlendColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 80);
  Attach();
  EXPECT_EQ(ground, Pixel(300, 10));  // no tabs: the ground only
  EXPECT_EQ(ground, Pixel(Geometry().Button(StripButton::kClose).left + 1, 10));
  const HWND a = Open(L"P - A"), b = Open(L"P - B");
  Paint();
  ASSERT_EQ(Order({a, b}), Strip().Tabs());
  const qv::PixelRect first = Strip().TabRects()[0], second = Strip().TabRects()[1];
  const struct {
    int x, y;
    COLORREF color;
  } pixels[] = {{second.left + 2, second.top + 2, GetSysColor(COLOR_BTNFACE)},
                {second.left, second.top + 5, GetSysColor(COLOR_3DHIGHLIGHT)},
                {second.right - 1, second.top + 5, GetSysColor(COLOR_3DDKSHADOW)},
                {first.left + 2, first.top + 2, ground},
                {Geometry().ButtonsLeft() - 5, 10, ground},
                {Geometry().ButtonsLeft() - 5, 21, GetSysColor(COLOR_3DHIGHLIGHT)},
                {300, 23, GetSysColor(COLOR_BTNFACE)},
                {0, 100, GetSysColor(COLOR_BTNSHADOW)}};
  for (const auto& p : pixels) EXPECT_EQ(p.color, Pixel(p.x, p.y)) << p.x << ',' << p.y;
  // The glyphs: the close cross enabled, both arrows greyed, the close button raised when hot.
  const auto count = [&](StripButton button, COLORREF color) {
    const qv::PixelRect r = Geometry().Button(button);
    int found = 0;
    for (int x = r.left + 2; x < r.right - 1; ++x) {
      for (int y = r.top + 2; y < r.bottom - 1; ++y) found += Pixel(x, y) == color;
    }
    return found;
  };
  const COLORREF grey = qv::BlendColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_3DDKSHADOW), 192);
  EXPECT_LT(0, count(StripButton::kClose, GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_LT(0, count(StripButton::kScrollLeft, grey));
  EXPECT_LT(0, count(StripButton::kScrollRight, grey));
  EXPECT_EQ(0, count(StripButton::kScrollRight, GetSysColor(COLOR_3DDKSHADOW)));
  const qv::PixelRect close = Geometry().Button(StripButton::kClose);
  PointAtButton(StripButton::kClose);
  StripMouse(WM_MOUSEMOVE);
  Settle();
  EXPECT_EQ(GetSysColor(COLOR_3DHIGHLIGHT), Pixel(close.left, close.top + 5));
  CapturedMouse(WM_LBUTTONDOWN);
  Settle();
  EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), Pixel(close.left, close.top + 5));
}

TEST_F(TabStripTest, TheBottomStripIsDrawnBelowTheClientArea) {
  strip_.SetPosition(1);
  Attach();
  Open(L"P - A");
  Paint();
  const qv::PixelRect tab = Strip().TabRects()[0];
  const qv::StripGeometry bottom(600, 400, true);
  const struct {
    int x, y;
    COLORREF color;
  } pixels[] = {{tab.left + 2, tab.top + 2, GetSysColor(COLOR_BTNFACE)},
                {tab.left + 2, tab.bottom - 2, GetSysColor(COLOR_3DDKSHADOW)},  // the picture is one row up
                {tab.left, tab.top + 4, GetSysColor(COLOR_3DHIGHLIGHT)},
                {bottom.ButtonsLeft() - 5, 388, qv::BlendColor(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), 80)},
                {bottom.ButtonsLeft() - 5, 377, GetSysColor(COLOR_3DDKSHADOW)},
                {300, 1, GetSysColor(COLOR_BTNFACE)}};
  for (const auto& p : pixels) EXPECT_EQ(p.color, Pixel(p.x, p.y)) << p.x << ',' << p.y;
}

TEST_F(TabStripTest, BothActivationPathsShowTheActiveTab) {
  Attach();
  const HWND a = Open(L"P - A"), b = Open(L"P - B"), c = Open(L"P - C");
  Paint();
  const auto shows_active = [&](int tab) {
    const qv::PixelRect rect = Strip().TabRects()[static_cast<std::size_t>(tab)];
    return Pixel(rect.left + 2, rect.top + 2) == GetSysColor(COLOR_BTNFACE);
  };
  qv::CurrentSession().loop.MDIActivated = false;
  SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a), 0);
  Settle();
  EXPECT_TRUE(qv::CurrentSession().loop.MDIActivated);
  EXPECT_TRUE(shows_active(0));
  const struct {
    HWND window;
    UINT message;
  } unseen[] = {{b, WM_CHILDACTIVATE}, {client_, WM_MDINEXT}, {c, WM_CHILDACTIVATE}};
  for (const auto& path : unseen) {
    const HWND before = Active();
    qv::CurrentSession().loop.MDIActivated = false;
    SendMessageW(path.window, path.message, 0, 0);
    ASSERT_NE(before, Active());
    strip_.FollowActive();
    Settle();
    EXPECT_FALSE(qv::CurrentSession().loop.MDIActivated);
    const auto tab = std::find(Strip().Tabs().begin(), Strip().Tabs().end(), reinterpret_cast<std::intptr_t>(Active()));
    EXPECT_TRUE(shows_active(static_cast<int>(tab - Strip().Tabs().begin()))) << path.message;
  }
}

}  // namespace
}  // namespace sbx::test
