// The highlight painter over the sandbox's code window, read back by pixels: painted runs cover the
// editor's glyph cells exactly, the editor's breakpoint and selected cells are left alone, and the
// geometry follows the indicator bar, a split window and the horizontal scroll.
#include <windows.h>

#include <commctrl.h>

#include <climits>
#include <optional>
#include <set>
#include <string>

#include "addin/addin_state.h"
#include "library/connection_parts.h"
#include "library/parts.h"
#include "tests/addin/code_pane_fixture.h"
#include "tests/editor/code_pixels.h"
#include "tests/editor/gdi_slots.h"
#include "win/failure_log.h"
#include "win/subclass.h"
#include "win/registry.h"

namespace sbx::test {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kString = RGB(182, 21, 21);
constexpr COLORREF kDirective = RGB(0, 0, 255);
constexpr COLORREF kUserText = RGB(0, 160, 160);

// Columns: s1 =3 "5 a6 b7 c8 "9 "10 d11 e12 "13.
constexpr const wchar_t* kSample =
    L"s = \"abc\"\"de\"\r\n"
    L"'#Region x\r\n"
    L"t = \"zz\"\r\n"
    L"v = \"ab\"\r\n"
    L"u = \"yy\"\r\n"
    L"w = \"cd\"\r\n"
    L"x = 1 ' \"no\" Stop\r\n"
    L"Stop";

class HighlightPainterTest : public CodePaneTest {
 protected:
  // The code window is hooked as a connection hooks it.
  void SetUp() override {
    CodePaneTest::SetUp();
    qv::OpenConnectionParts();
  }
  void TearDown() override {
    qv::CloseConnectionParts();
    qv::Tables() = qv::LoadTables{};
    qv::SetFailureSink(nullptr);
    CodePaneTest::TearDown();
  }

  CodeWindow& Open(std::wstring_view text, long caret_line = 8) {
    CodeWindow& window = StartAddin(text);
    qv::AddinState& state = qv::State();
    state.IDESettingsKey = host_->state().IdeSettingsKey();
    qv::Settings& s = state.settings;
    s.SyntaxColoring = s.SyntaxColoring_Operators = s.SyntaxColoring_AdditionalOperators = true;
    s.SyntaxColoring_Texts = s.SyntaxColoring_CustomTexts = true;
    s.TextColor = static_cast<std::int32_t>(kString);
    s.SyntaxColoring_ShiftX = 9;
    qv::Tables().SyntaxTexts.Add(L"Stop");
    qv::Tables().SyntaxTextColors.Add(std::to_wstring(kUserText));
    qv::SetFailureSink([](std::wstring_view failure) noexcept { ADD_FAILURE() << std::wstring(failure).c_str(); });
    window_ = window.hwnd();
    qv::LibraryParts().HookCodePane(window_);
    qv::CurrentSession().loop.hWndHooked = window_;
    Select(caret_line, 1);
    HideCaret(window_);
    return window;
  }
  void Repaint(HWND window = nullptr) {
    RedrawWindow(window ? window : window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  void SetIdeValue(const wchar_t* name, DWORD value) const {
    qv::RegKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, host_->state().IdeSettingsKey().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                    key.out(), nullptr);
    RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }

  HWND window_ = nullptr;
};

// Every cell of columns first..last of a row shows exactly the background and `ink`, and some ink.
void ExpectInk(const CodePixels& pixels, const CodeCells& cells, int row, int first, int last, COLORREF ink,
               COLORREF back = kWhite) {
  for (int column = first; column <= last; ++column) {
    const std::set<COLORREF> found = pixels.Colours(cells.Cells(row, column, column));
    EXPECT_TRUE(found.contains(ink)) << "row " << row << " column " << column;
    EXPECT_EQ(0u, found.size() - found.contains(ink) - found.contains(back)) << "row " << row << " column " << column;
  }
}

// The painted cells hold exactly the glyphs the editor drew there in `was`, now in `ink`.
void ExpectSameGlyphs(const CodePixels& before, const CodePixels& after, const CodeCells& cells, int row, int first,
                      int last, COLORREF was, COLORREF ink) {
  const RECT area = cells.Cells(row, first, last);
  int mismatches = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      mismatches += (before.At(x, y) == was) != (after.At(x, y) == ink) || (after.At(x, y) != ink && after.At(x, y) != kWhite);
    }
  }
  EXPECT_EQ(0, mismatches) << "row " << row << " columns " << first << ".." << last;
  EXPECT_TRUE(after.Colours(area).contains(ink));
}

bool RowHas(const CodePixels& pixels, const CodeCells& cells, int row, COLORREF colour) {
  return pixels.Colours(cells.Cells(row, 1, 20)).contains(colour);
}

TEST_F(HighlightPainterTest, PaintedRunsSitExactlyOnTheEditorsGlyphCells) {
  Open(kSample);
  qv::State().settings.SyntaxColoring = false;
  Repaint();
  const CodePixels editor(window_);
  qv::State().settings.SyntaxColoring = true;
  Repaint();
  const CodePixels pixels(window_);
  const CodeCells cells = MeasureCells(window_);
  ExpectSameGlyphs(editor, pixels, cells, 0, 1, 5, kBlack, kBlack);  // the quotes keep the editor's colour
  ExpectSameGlyphs(editor, pixels, cells, 0, 6, 8, kBlack, kString);
  ExpectSameGlyphs(editor, pixels, cells, 0, 9, 10, kBlack, kBlack);
  ExpectSameGlyphs(editor, pixels, cells, 0, 11, 12, kBlack, kString);
  // The directive is code, not a green comment, with its keyword in the directive colour.
  ExpectSameGlyphs(editor, pixels, cells, 1, 1, 2, RGB(0, 128, 0), kBlack);
  ExpectSameGlyphs(editor, pixels, cells, 1, 3, 8, RGB(0, 128, 0), kDirective);
  ExpectSameGlyphs(editor, pixels, cells, 1, 10, 10, RGB(0, 128, 0), kBlack);
  // Strings and user texts inside a comment stay the comment; a user text in code is painted.
  EXPECT_FALSE(RowHas(pixels, cells, 6, kString) || RowHas(pixels, cells, 6, kUserText));
  ExpectSameGlyphs(editor, pixels, cells, 7, 1, 4, kBlack, kUserText);
}

TEST_F(HighlightPainterTest, BreakpointAndSelectedCharactersKeepTheEditorsColours) {
  CodeWindow& window = Open(kSample);
  window.ToggleBreakpoint(3);
  window.SetSelection(0, {{4, 7}, {6, 2}});
  HideCaret(window_);
  Repaint();
  const CodePixels pixels(window_);
  const CodeCells cells = MeasureCells(window_);
  EXPECT_FALSE(RowHas(pixels, cells, 2, kString));
  ExpectInk(pixels, cells, 3, 6, 6, kString);
  EXPECT_FALSE(pixels.Colours(cells.Cells(3, 7, 7)).contains(kString));
  EXPECT_FALSE(RowHas(pixels, cells, 4, kString));
  EXPECT_FALSE(pixels.Colours(cells.Cells(5, 1, 1)).contains(kString));
  ExpectInk(pixels, cells, 5, 6, 7, kString);
}

TEST_F(HighlightPainterTest, IndicatorBarOffMovesTheRuns21PixelsLeft) {
  Open(kSample);
  SetIdeValue(L"IndicatorBar", 0);
  Repaint();
  const CodePixels pixels(window_);
  const CodeCells cells = MeasureCells(window_, false);
  EXPECT_EQ(MeasureCells(window_).x0 - 21, cells.x0);
  ExpectInk(pixels, cells, 0, 6, 8, kString);
  ExpectInk(pixels, cells, 1, 3, 8, kDirective);
}

TEST_F(HighlightPainterTest, HorizontalScrollMovesTheRunsAndTheTextAreaClipsThem) {
  CodeWindow& window = Open(kSample);
  HWND bar = nullptr;
  while ((bar = FindWindowExW(window_, bar, L"ScrollBar", nullptr)) && (GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT)) {
  }
  for (int step = 0; step < 6; ++step) SendMessageW(window_, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
  Repaint();
  const CodePixels pixels(window_);
  const CodeCells cells = MeasureCells(window_, true, 6);
  ExpectInk(pixels, cells, 0, 7, 8, kString);
  ExpectInk(pixels, cells, 0, 11, 12, kString);
  const CodeCells unscrolled = MeasureCells(window_);
  EXPECT_FALSE(pixels.Colours({0, 0, unscrolled.x0, 4 * cells.line_height}).contains(kString));
  EXPECT_EQ(1, window.TopLine(0));
}

// The active pane is the lower one of a split window: painted from its own rows, the upper left alone.
void ExpectLowerPanePainted(CodeWindow& window, HWND hwnd) {
  window.Split(true);
  window.SetTopLine(0, 2);
  window.SetTopLine(1, 1);
  // The lower pane's vertical bar: the lowest one.
  RECT bar{};
  for (HWND child = nullptr; (child = FindWindowExW(hwnd, child, L"ScrollBar", nullptr));) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rect), 2);
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SBS_VERT) && rect.top > bar.top) bar = rect;
  }
  SendMessageW(hwnd, WM_LBUTTONDOWN, 0, MAKELPARAM(60, bar.top + 30));
  ASSERT_EQ(1, window.ActivePane());
  HideCaret(hwnd);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const CodePixels pixels(hwnd);
  CodeCells lower = MeasureCells(hwnd);
  lower.rows_top = bar.top + 2;
  ExpectInk(pixels, lower, 0, 6, 8, kString);
  ExpectInk(pixels, lower, 1, 3, 8, kDirective);
  EXPECT_FALSE(RowHas(pixels, MeasureCells(hwnd), 0, kDirective));  // the upper pane is the editor's
}

TEST_F(HighlightPainterTest, TheLowerPaneOfASplitWindowIsPaintedFromItsOwnRows) {
  CodeWindow& window = Open(kSample);
  ExpectLowerPanePainted(window, window_);
}

TEST_F(HighlightPainterTest, PanesWithoutReadableCaptionsAreToldApartByTheirModules) {
  CodeWindow& window = Open(kSample);
  host_->InjectFault(L"Window", L"Caption");
  static int failures = 0;
  qv::SetFailureSink([](std::wstring_view) noexcept { ++failures; });
  ExpectLowerPanePainted(window, window_);
  EXPECT_GT(failures, 0);
}

TEST_F(HighlightPainterTest, OnlyTheActiveCodeWindowIsPainted) {
  Open(kSample);
  HWND other = host_->Open(host_->AddComponent(host_->AddProject(L"Other"), kStdModule, L"Module2", kSample)).hwnd();
  RECT client;
  GetClientRect(GetParent(window_), &client);
  MoveWindow(window_, 0, 0, client.right / 2, client.bottom, TRUE);
  MoveWindow(other, client.right / 2, 0, client.right / 2, client.bottom, TRUE);
  HideCaret(window_);
  Repaint();
  EXPECT_FALSE(RowHas(CodePixels(window_), MeasureCells(window_), 0, kString));
  SendMessageW(GetParent(window_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window_), 0);
  HideCaret(window_);
  Repaint();
  EXPECT_TRUE(RowHas(CodePixels(window_), MeasureCells(window_), 0, kString));
}

// An editor that redraws what a key changed by itself, as the hosts do, with no paint message for
// the add-in to follow: after each key it has handled, the window shows its drawing alone.
class EditorRedrawsItself : public qv::Subclass {
 protected:
  std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override {
    if (message != WM_KEYDOWN && message != WM_CHAR) return std::nullopt;
    const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    InvalidateRect(window, nullptr, FALSE);
    DefSubclassProc(window, WM_PAINT, 0, 0);
    return result;
  }
};

// After a typed character and after Delete the caret's line is painted again, and only it.
TEST_F(HighlightPainterTest, ATypedCharacterOrDeleteRepaintsTheCaretLine) {
  Open(kSample, 1);
  qv::LibraryParts().UnhookCodePane(window_);
  EditorRedrawsItself editor;
  ASSERT_TRUE(editor.Hook(window_));
  qv::LibraryParts().HookCodePane(window_);
  const CodeCells cells = MeasureCells(window_);
  const struct {
    long line;
    long column;
    UINT message;
    WPARAM key;
  } keys[] = {{1, 14, WM_CHAR, 'x'}, {3, 1, WM_KEYDOWN, VK_DELETE}};
  for (const auto& key : keys) {
    Select(key.line, key.column);
    HideCaret(window_);
    SendMessageW(window_, key.message, key.key, 0);
    const CodePixels pixels(window_);
    for (const int row : {0, 2}) {
      EXPECT_EQ(row == key.line - 1, RowHas(pixels, cells, row, kString)) << "line " << key.line << ", row " << row;
    }
  }
  EXPECT_EQ(L"s = \"abc\"\"de\"x", Get(CodeModule().Object(), L"Lines", {1L, 1L}).Text());
  EXPECT_EQ(L" = \"zz\"", Get(CodeModule().Object(), L"Lines", {3L, 1L}).Text());
  qv::LibraryParts().UnhookCodePane(window_);
  editor.Unhook();
}

// Rows moved down by the vertical shift never reach below the upper pane's text area, into the
// other pane.
TEST_F(HighlightPainterTest, NothingIsPaintedBelowTheUpperPanesTextArea) {
  std::wstring text;
  for (int line = 1; line <= 60; ++line) text += L"s = \"abcdefghijklmnop\"\r\n";
  CodeWindow& window = Open(text, 1);
  window.Split(true);
  ASSERT_EQ(0, window.ActivePane());
  const CodeCells cells = MeasureCells(window_);
  qv::State().settings.SyntaxColoring_ShiftY = 3 * cells.line_height;
  HideCaret(window_);
  Repaint();
  RECT upper_bar{0, LONG_MAX, 0, 0};  // the upper pane's horizontal bar: the highest one
  for (HWND bar = nullptr; (bar = FindWindowExW(window_, bar, L"ScrollBar", nullptr));) {
    RECT rect;
    GetWindowRect(bar, &rect);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
    if (!(GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT) && rect.top < upper_bar.top) upper_bar = rect;
  }
  RECT client{};
  GetClientRect(window_, &client);
  const CodePixels pixels(window_);
  EXPECT_TRUE(pixels.Colours({0, 0, client.right, upper_bar.top}).contains(kString));
  EXPECT_FALSE(pixels.Colours({0, upper_bar.top, client.right, client.bottom}).contains(kString));
}

TEST_F(HighlightPainterTest, DirectiveCaseIsRewrittenExceptOnTheCaretsLine) {
  Open(L"'#region a\r\nx = 1\r\n'#include file b.txt ' note\r\n'#If DEBUG Then", 1);
  Repaint();
  EXPECT_EQ(L"'#region a\r\nx = 1\r\n'#Include File b.txt ' note\r\n'#If DEBUG Then", ModuleText());
  Select(2, 1);
  Repaint();
  EXPECT_EQ(L"'#Region a\r\nx = 1\r\n'#Include File b.txt ' note\r\n'#If DEBUG Then", ModuleText());
}

TEST_F(HighlightPainterTest, ABurstOfScrollBarColourMessagesPaintsOnceAndReadsThePageOnce) {
  Open(kSample);
  Repaint();
  host_->Pump(20);
  host_->ResetCalls();
  for (int bar = 0; bar < 9; ++bar) SendMessageW(window_, WM_CTLCOLORSCROLLBAR, 0, 0);
  host_->Pump(50);
  EXPECT_EQ(1, host_->Calls(L"VBE", L"ActiveCodePane"));
  EXPECT_EQ(1, host_->Calls(L"CodeModule", L"Lines"));
}

TEST_F(HighlightPainterTest, AHundredPaintsLeaveTheGdiObjectsBalanced) {
  Open(kSample);
  const int slot = HighestFreeSlot();
  for (int paint = 0; paint < kLeakTestPaints; ++paint) Repaint();
  EXPECT_GT(kLeakClimb, HighestFreeSlot() - slot);
  ExpectInk(CodePixels(window_), MeasureCells(window_), 0, 6, 8, kString);
}

}  // namespace
}  // namespace sbx::test
