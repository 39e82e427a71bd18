// The palette over the host's colour popup, as the timer paints it: once per showing of the palette
// tab, the frame after the Properties window's value, the custom rows from the host's registry,
// only the host's own tab controls, and no GDI object left behind.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "addin/addin_state.h"
#include "editor/palette_painter.h"
#include "host/vbe.h"
#include "kit/settings_table.h"
#include "sandbox/testing/other_program.h"
#include "tests/addin/code_pane_fixture.h"
#include "tests/editor/gdi_slots.h"
#include "tests/editor/palette_pixels.h"
#include "win/gdi_owners.h"
#include "win/registry.h"

namespace sbx::test {
namespace {

constexpr wchar_t kProperties[] = L"Properties - Module1";
constexpr std::int32_t kMarker = 0x030201;

// The add-in connected over a host whose Properties window is active, its value the colour red, and
// the colour popup showing its palette tab.
class PalettePainterTest : public CodePaneTest {
 protected:
  void SetUp() override {
    CodePaneTest::SetUp();
    StartAddin(L"x = 1\r\n");
    qv::FillPalette(qv::Tables().PaletteColors);
    popups_.tabs = {Tabs()};
    const HWND value = Tools().AddProperties(kProperties, false);
    SetWindowTextW(value, L"&H000000FF&");
    host_->SetActiveWindow(qv::kPropertiesWindowType, kProperties);
    Popups().OpenColourPopup(0);
    Settle();
  }
  void TearDown() override {
    Popups().CloseColourPopup();
    qv::FillPalette(qv::Tables().PaletteColors);
    CodePaneTest::TearDown();
  }

  HostPopups& Popups() const { return host_->workspace().Popups(); }
  ToolWindows& Tools() const { return host_->workspace().Tools(); }
  HWND Tabs() const { return Popups().ColourTabs(); }
  // The host's own drawing done, as between two ticks.
  static void Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  // A marker where the first cell goes: a paint covers it.
  void Mark() const {
    const qv::WindowDc dc = qv::ClientDc(Tabs());
    const POINT middle = CellMiddle(dc.get(), 1, 1);
    SetPixel(dc.get(), middle.x, middle.y, kMarker);
  }
  bool Painted() const { return CellColour(qv::ClientDc(Tabs()).get(), 1, 1) != kMarker; }
  std::vector<CellAt> Framed() const { return FramedCells(qv::ClientDc(Tabs()).get()); }
  void Repaint() {
    popups_.painted = false;
    qv::PaintPaletteCustomColors(popups_);
  }

  qv::PalettePopups popups_;
};

TEST_F(PalettePainterTest, PaintsOncePerShowingOfThePaletteTab) {
  struct Case {
    const char* step;
    std::function<void()> act;
    bool painted;
    bool palette_shows;  // the palette tab, with the Properties window active
  };
  const auto show = [&](int tab) { return [&, tab] { Popups().OpenColourPopup(tab); }; };
  const auto activate = [&](long type) { return [&, type] { host_->SetActiveWindow(type, kProperties); }; };
  const Case cases[] = {
      {"first showing", [] {}, true, true},
      {"the palette stays", [] {}, false, true},
      {"the second tab", show(1), false, false},
      {"the palette again", show(0), true, true},
      {"the palette stays again", [] {}, false, true},
      {"another window active", activate(qv::kImmediateWindowType), false, false},
      {"the Properties window again", activate(qv::kPropertiesWindowType), true, true},
      {"closed", [&] { Popups().CloseColourPopup(); }, false, false},
      {"shown again", show(0), true, true},
  };
  for (const Case& c : cases) {
    c.act();
    Settle();
    if (IsWindowVisible(Tabs())) Mark();
    qv::PaintPaletteCustomColors(popups_);
    EXPECT_EQ(c.palette_shows, popups_.painted) << c.step;
    if (IsWindowVisible(Tabs())) {
      EXPECT_EQ(c.painted, Painted()) << c.step;
    }
  }
}

TEST_F(PalettePainterTest, WhileNoPopupShowsTheHostIsNotAsked) {
  Popups().CloseColourPopup();
  host_->ResetCalls();
  qv::PaintPaletteCustomColors(popups_);
  EXPECT_EQ(0, host_->TotalCalls());
}

TEST_F(PalettePainterTest, TheFrameFollowsTheValueOfTheDockedOrFloatingPropertiesWindow) {
  struct Case {
    bool floating;
    const wchar_t* value;  // nullptr: no Properties window of that caption
    std::vector<CellAt> framed;
  };
  const Case cases[] = {
      {false, L"&H000000FF&", {{2, 3}}},
      {true, L"&H00FF0000&", {{7, 3}}},
      {false, L"", {}},
      {true, L"&H8000000F&", {}},  // a system colour
      {false, nullptr, {}},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::wstring caption = L"Properties " + std::to_wstring(++n);
    if (c.value) SetWindowTextW(Tools().AddProperties(caption, c.floating), c.value);
    host_->SetActiveWindow(qv::kPropertiesWindowType, caption);
    Settle();
    Repaint();
    EXPECT_EQ(c.framed, Framed()) << "case " << n;
  }
}

TEST_F(PalettePainterTest, TheCustomRowsFollowTheHostsCustomColoursAndMissingOnesAreWhite) {
  struct Case {
    const wchar_t* stored;  // nullptr: no value
    std::vector<std::int32_t> row7, row8;
  };
  const std::vector<std::int32_t> white(8, qv::kWhite);
  const Case cases[] = {
      {L"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 ", {1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 16}},
      {L"255 65280 ", {255, 65280, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite}, white},
      {nullptr, white, white},
      {L"0 0 0 0 0 0 0 0 0",
       {0, 0, 0, 0, 0, 0, 0, 0},
       {0, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite, qv::kWhite}},
  };
  for (const Case& c : cases) {
    const std::wstring what = c.stored ? c.stored : L"(none)";
    if (c.stored) {
      qv::SetRegValue(HKEY_CURRENT_USER, qv::kVisualBasicHostKey, L"CustomColors", c.stored, qv::TextEnd::kNul);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, std::wstring(qv::kVisualBasicHostKey).c_str(), L"CustomColors");
    }
    EXPECT_NO_THROW(Repaint()) << what;
    EXPECT_TRUE(popups_.painted) << what;
    const qv::WindowDc dc = qv::ClientDc(Tabs());
    for (int column = 1; column <= 8; ++column) {
      const auto at = static_cast<std::size_t>(column - 1);
      EXPECT_EQ(c.row7[at], CellColour(dc.get(), column, 7)) << what << ", column " << column;
      EXPECT_EQ(c.row8[at], CellColour(dc.get(), column, 8)) << what << ", column " << column;
    }
  }
}

TEST_F(PalettePainterTest, OnlyTheHostsOwnTabControlsArePaintedAndOthersAreForgotten) {
  const OtherProgram other;
  ASSERT_TRUE(other.Tabs());
  ASSERT_TRUE(IsWindowVisible(other.Tabs()));
  const HWND gone = CreateWindowExW(0, WC_TABCONTROLW, L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const HWND not_tabs = host_->workspace().MainWindow();
  ASSERT_TRUE(IsWindowVisible(not_tabs));
  popups_.tabs = {other.Tabs(), gone, not_tabs, nullptr, Tabs()};
  Mark();
  qv::PaintPaletteCustomColors(popups_);
  EXPECT_TRUE(Painted());
  EXPECT_EQ(std::vector<HWND>{Tabs()}, popups_.tabs);
}

// Leaked objects keep their handle slots taken, so new objects get ever higher ones (so few paints
// that even 65 leaked brushes a paint leave handles to probe with); a DC the paint keeps can be
// released once more.
TEST_F(PalettePainterTest, AHundredPaintsLeaveNoGdiObjectOrDcBehind) {
  Repaint();  // the first paint may create what the system keeps
  const int slot = HighestFreeSlot();
  for (int n = 0; n < kLeakTestPaints; ++n) Repaint();
  EXPECT_GT(kLeakClimb, HighestFreeSlot() - slot);
  const HDC cached = GetDC(Tabs());
  ReleaseDC(Tabs(), cached);
  Mark();
  Repaint();
  EXPECT_EQ(0, ReleaseDC(Tabs(), cached)) << "the paint's DC is still in use";
  EXPECT_EQ(qv::kWhite, CellColour(qv::ClientDc(Tabs()).get(), 1, 1));
  EXPECT_EQ((std::vector<CellAt>{{2, 3}}), Framed());
}

}  // namespace
}  // namespace sbx::test
