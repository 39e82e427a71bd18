// The band of command bars under the mouse, through the system's input queue: what a click fires,
// what it opens, what closes a drop-down, and how a held button looks.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "sandbox/ui/input.h"
#include "tests/sandbox/ui/band_fixture.h"

namespace sbx::test {
namespace {

// The captions are the controls' keys as well.
constexpr wchar_t kFile[] = L"&File", kSave[] = L"&Save", kRecent[] = L"Recent", kDeep[] = L"Deep";
constexpr wchar_t kButton[] = L"Button", kOff[] = L"Off", kDown[] = L"Down", kPopup[] = L"Popup", kOne[] = L"One",
                  kTwo[] = L"Two";

class BandMouseTest : public BandTest {
 protected:
  void SetUp() override {
    BandTest::SetUp();
    code_window_ = &OpenWindow(L"Sub A()\r\nEnd Sub");
    BandControl down = Button(kDown);
    down.pressed = true;
    Show({{true, {Popup(kFile, {Button(kSave), Popup(kRecent, {Button(kDeep)})})}},
          {false,
           {Button(kButton), Disabled(Button(kOff)), down, Popup(kPopup, {Button(kOne), Disabled(Button(kTwo))})}}});
  }
  void TearDown() override {
    if (!Band().DropDowns().empty()) SendKey(VK_ESCAPE);  // left open by a failed test
    BandTest::TearDown();
  }

  // A button that notes its click, and whether a drop-down was still open then.
  BandControl Button(const wchar_t* caption) {
    BandControl button = Control(caption);
    button.key = caption;
    button.click = [this, caption] {
      fired_ += caption + std::wstring(Band().DropDowns().empty() ? L" " : L"(open) ");
    };
    return button;
  }
  static BandControl Popup(const wchar_t* caption, std::vector<BandControl> entries) {
    BandControl popup = Control(caption, true);
    popup.key = caption;
    popup.entries = [entries] { return entries; };
    return popup;
  }
  static BandControl Disabled(BandControl control) {
    control.enabled = false;
    return control;
  }

  static BarBandWindow& Band() { return workspace_->BarBand(); }
  static RECT ScreenRect(const wchar_t* key) {
    const std::optional<RECT> rect = Band().ScreenRect(key);
    EXPECT_TRUE(rect) << "not shown: " << testing::PrintToString(std::wstring(key));
    return rect.value_or(RECT{});
  }
  static POINT Centre(const wchar_t* key) {
    const RECT rect = ScreenRect(key);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  // A point of the MDI client, below the band.
  static POINT Elsewhere() {
    RECT client;
    GetWindowRect(workspace_->MdiClient(), &client);
    return {client.right - 20, client.bottom - 20};
  }
  // Whether the control shows sunken: its top-left corner in the edge's shadow colour.
  static bool LooksPressed(const wchar_t* key) {
    POINT corner{ScreenRect(key).left, ScreenRect(key).top};
    const HWND band = Band().hwnd();
    UpdateWindow(band);
    ScreenToClient(band, &corner);
    const HDC dc = GetDC(band);
    const COLORREF colour = GetPixel(dc, corner.x, corner.y);
    ReleaseDC(band, dc);
    return colour == GetSysColor(COLOR_BTNSHADOW);
  }
  size_t OpenDropDowns() const {
    size_t open = 0;
    for (const HWND window : Band().DropDowns()) open += IsWindowVisible(window) ? 1u : 0u;
    EXPECT_EQ(open, Band().DropDowns().size()) << "every drop-down shown";
    return open;
  }

  CodeWindow* code_window_ = nullptr;
  std::wstring fired_;
};

TEST_F(BandMouseTest, AButtonFiresOnceWhenReleasedOverItAndShowsPressedWhileHeld) {
  SendClick(Centre(kButton));
  EXPECT_EQ(L"Button ", fired_);
  SendClick(Centre(kOff));
  EXPECT_EQ(L"Button ", fired_) << "a disabled button does nothing";

  EXPECT_FALSE(LooksPressed(kButton));
  SendMouseButton(Centre(kButton), true);
  EXPECT_TRUE(LooksPressed(kButton));
  SendMouseButton(Elsewhere(), false);
  EXPECT_FALSE(LooksPressed(kButton));
  EXPECT_EQ(L"Button ", fired_) << "released elsewhere";

  // The State the model holds stays shown, also after a click.
  EXPECT_TRUE(LooksPressed(kDown));
  SendClick(Centre(kDown));
  EXPECT_EQ(L"Button Down ", fired_);
  EXPECT_TRUE(LooksPressed(kDown));
  EXPECT_EQ(code_window_->hwnd(), GetFocus()) << "the code window keeps the focus";
}

TEST_F(BandMouseTest, APopupOpensItsEntriesUnderItAndAnEntryFiresOnceTheyAreClosed) {
  SendClick(Centre(kPopup));
  ASSERT_EQ(1u, OpenDropDowns());
  RECT drop_down;
  GetWindowRect(Band().DropDowns().front(), &drop_down);
  EXPECT_EQ(ScreenRect(kPopup).bottom, drop_down.top);
  EXPECT_EQ(ScreenRect(kPopup).left, drop_down.left);
  EXPECT_TRUE(LooksPressed(kPopup)) << "while its entries are open";
  EXPECT_EQ(code_window_->hwnd(), GetFocus());

  SendClick(Centre(kTwo));
  EXPECT_EQ(L"", fired_) << "a disabled entry does nothing";
  EXPECT_EQ(1u, OpenDropDowns());
  SendClick(Centre(kOne));
  EXPECT_EQ(L"One ", fired_);
  EXPECT_EQ(0u, OpenDropDowns());
  EXPECT_FALSE(LooksPressed(kPopup));

  // A menu caption opens its entries the same way, and a popup entry its own beside it.
  SendClick(Centre(kFile));
  SendClick(Centre(kRecent));
  ASSERT_EQ(2u, OpenDropDowns());
  EXPECT_GE(ScreenRect(kDeep).left, ScreenRect(kRecent).right) << "beside the entry";
  SendClick(Centre(kDeep));
  EXPECT_EQ(L"One Deep ", fired_);
  EXPECT_EQ(0u, OpenDropDowns());
}

// What closes an open drop-down without firing anything.
TEST_F(BandMouseTest, EscapeAPressElsewhereOrOnItsPopupAgainClosesIt) {
  const struct {
    const char* what;
    void (*close)();
  } closers[] = {
      {"Escape", [] { SendKey(VK_ESCAPE); }},
      {"a press elsewhere", [] { SendClick(Elsewhere()); }},
      {"its popup again", [] { SendClick(Centre(kPopup)); }},
      {"a press on the band beside it",
       [] {
         SendClick({ScreenRect(kPopup).right + 40, Centre(kPopup).y});
       }},
  };
  for (const auto& closer : closers) {
    SendClick(Centre(kPopup));
    ASSERT_EQ(1u, OpenDropDowns()) << closer.what;
    closer.close();
    EXPECT_EQ(0u, OpenDropDowns()) << closer.what;
  }
  // A second level goes with the first.
  SendClick(Centre(kFile));
  SendClick(Centre(kRecent));
  SendKey(VK_ESCAPE);
  EXPECT_EQ(0u, OpenDropDowns());
  EXPECT_EQ(L"", fired_);
  EXPECT_EQ(code_window_->hwnd(), GetFocus());
}

}  // namespace
}  // namespace sbx::test
