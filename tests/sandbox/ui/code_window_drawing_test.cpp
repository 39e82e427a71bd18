// The drawing contract, probed as the add-in's painter probes it: through the window's client DC.
#include <windows.h>

#include <fstream>
#include <iterator>

#include "sandbox/ui/screenshot.h"
#include "tests/sandbox/model/png_reader.h"
#include "tests/sandbox/ui/ui_fixture.h"

namespace sbx::test {
namespace {

constexpr COLORREF kBreakpoint = RGB(128, 0, 0);

// The editor font made as the add-in's painter makes it, with the host's defaults.
struct PainterFont {
  explicit PainterFont(HWND target, int points = 10) : window(target), dc(GetDC(target)) {
    font = CreateFontA(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, 400, 0, 0, 0, 204,
                       OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS, PROOF_QUALITY, 0, "Courier New CYR");
    previous = SelectObject(dc, font);
  }
  ~PainterFont() {
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(window, dc);
  }
  SIZE Extent(const char* text) const {
    SIZE size{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    return size;
  }
  int LineHeight() const { return Extent(" ").cy; }

  HWND window;
  HDC dc;
  HFONT font;
  HGDIOBJ previous;
};

int HorizontalBarHeight(HWND window) {
  for (HWND bar = nullptr; (bar = FindWindowExA(window, bar, "ScrollBar", nullptr));) {
    if (IsWindowVisible(bar) && !(GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT)) {
      RECT rect;
      GetWindowRect(bar, &rect);
      return rect.bottom - rect.top;
    }
  }
  return -1;
}

COLORREF Pixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

bool RowHasColour(HWND window, int from_x, int to_x, int top, int height, COLORREF colour) {
  HDC dc = GetDC(window);
  bool found = false;
  for (int y = top; y < top + height && !found; ++y) {
    for (int x = from_x; x < to_x && !found; ++x) found = GetPixel(dc, x, y) == colour;
  }
  ReleaseDC(window, dc);
  return found;
}

TEST_F(MdiTest, CountOfVisibleLinesFollowsTheFormulaAndTheFontSetting) {
  CodeWindow& window = OpenWindow(NumberedLines(100));
  HWND code = window.hwnd();
  auto expected = [&](int points) {
    RECT client;
    GetClientRect(code, &client);
    return (client.bottom - ClientOffset(code).y - HorizontalBarHeight(code)) / PainterFont(code, points).LineHeight();
  };
  EXPECT_EQ(expected(10), window.CountOfVisibleLines(0));
  SetWindowPos(code, nullptr, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(expected(10), window.CountOfVisibleLines(0));
  SetSetting(L"FontHeight", 20);
  EXPECT_EQ(expected(20), window.CountOfVisibleLines(0));
  EXPECT_LT(window.CountOfVisibleLines(0), expected(10));

  window.Split(true);
  HWND lower_bar = FindWindowExA(code, nullptr, "ScrollBar", nullptr);  // first in child order
  RECT bar, client;
  GetWindowRect(lower_bar, &bar);
  MapWindowPoints(nullptr, code, reinterpret_cast<POINT*>(&bar), 2);
  GetClientRect(code, &client);
  const int lower_rows_top = bar.top + 2;
  EXPECT_EQ((client.bottom - HorizontalBarHeight(code) - lower_rows_top) / PainterFont(code, 20).LineHeight(),
            window.CountOfVisibleLines(1));
}

TEST_F(MdiTest, ScrollBarsMoveTopLineAndTheFirstColumnAndTopLineMovesTheBar) {
  CodeWindow& window = OpenWindow(NumberedLines(100));
  HWND code = window.hwnd();
  HWND vertical = Bar(code, true);
  HWND horizontal = Bar(code, false);
  SendMessageW(code, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(vertical));
  EXPECT_EQ(2, window.TopLine(0));
  SendMessageW(code, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(vertical));
  EXPECT_EQ(2 + window.CountOfVisibleLines(0), window.TopLine(0));
  SendMessageW(code, WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(vertical));
  EXPECT_EQ(100, window.TopLine(0));
  SendMessageW(code, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(vertical));
  EXPECT_EQ(100, window.TopLine(0));

  window.SetTopLine(0, 40);
  EXPECT_EQ(40, GetScrollPos(vertical, SB_CTL));

  // One step of the horizontal bar moves the text by one average character; its position is the
  // first visible column - 1.
  window.SetTopLine(0, 1);
  window.SetSelection(0, {{1, 4}, {1, 4}});
  POINT before, after;
  GetCaretPos(&before);
  SendMessageW(code, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(horizontal));
  GetCaretPos(&after);
  EXPECT_EQ(1, GetScrollPos(horizontal, SB_CTL));
  const PainterFont font(code);
  EXPECT_EQ((font.Extent("d").cx + font.Extent("i").cx) / 2, before.x - after.x);
}

TEST_F(MdiTest, BreakpointRowIsProbedAtTheTextOriginWhateverTheScrollAndIndicatorBar) {
  CodeWindow& window = OpenWindow(L"Sub A()\r\n\r\n    Stop\r\nEnd Sub");
  HWND code = window.hwnd();
  window.ToggleBreakpoint(3);
  EXPECT_TRUE(window.HasBreakpoint(3));
  const POINT offset = ClientOffset(code);
  const int line_height = PainterFont(code).LineHeight();
  const int x0 = offset.x + 21 + 9;
  auto row_top = [&](int line) { return offset.y + (line - window.TopLine(0)) * line_height; };
  EXPECT_EQ(kBreakpoint, Pixel(code, x0 + 1, row_top(3) + 1));
  EXPECT_EQ(RGB(255, 255, 255), Pixel(code, x0 + 1, row_top(2) + 1));
  EXPECT_NE(kBreakpoint, Pixel(code, x0 - 2, row_top(3) + 1));

  SendMessageW(code, WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(Bar(code, false)));
  EXPECT_EQ(kBreakpoint, Pixel(code, x0 - 1, row_top(3) + 1));

  SetSetting(L"IndicatorBar", 0);
  InvalidateRect(code, nullptr, FALSE);
  UpdateWindow(code);
  EXPECT_EQ(kBreakpoint, Pixel(code, x0 - 21 + 1, row_top(3) + 1));
  EXPECT_NE(kBreakpoint, Pixel(code, x0 - 21 - 2, row_top(3) + 1));

  window.ToggleBreakpoint(3);
  EXPECT_NE(kBreakpoint, Pixel(code, x0 + 1, row_top(3) + 1));
}

TEST_F(MdiTest, CommentsOutsideStringsAreGreenAndTheSelectionHighlighted) {
  CodeWindow& window = OpenWindow(L"x = 1 ' note\r\ns = \"it's\"\r\ny = 2");
  HWND code = window.hwnd();
  HideCaret(code);
  const PainterFont font(code);
  const POINT offset = ClientOffset(code);
  const int x0 = offset.x + 21 + 9;
  const int height = font.LineHeight();
  const int quote_x = x0 + font.Extent("x = 1 ").cx;
  const COLORREF green = RGB(0, 128, 0);
  EXPECT_FALSE(RowHasColour(code, x0, quote_x, offset.y, height, green));
  EXPECT_TRUE(RowHasColour(code, quote_x, x0 + font.Extent("x = 1 ' note").cx, offset.y, height, green));
  EXPECT_FALSE(RowHasColour(code, x0, x0 + font.Extent("s = \"it's\"").cx, offset.y + height, height, green));

  window.SetSelection(0, {{3, 1}, {3, 2}});
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_TRUE(RowHasColour(code, x0, x0 + font.Extent("y").cx, offset.y + 2 * height, height, highlight));
  EXPECT_FALSE(RowHasColour(code, x0 + font.Extent("y").cx, x0 + font.Extent("y = 2").cx, offset.y + 2 * height, height,
                            highlight));
}

TEST_F(MdiTest, ScreenshotShowsTheWindowAsDrawn) {
  CodeWindow& window = OpenWindow(L"Sub A()\r\n    Stop\r\nEnd Sub");
  HWND code = window.hwnd();
  window.ToggleBreakpoint(2);
  HideCaret(code);
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path =
      std::wstring(folder) + L"sbx-screenshot-" + std::to_wstring(GetCurrentProcessId()) + L".png";
  ASSERT_TRUE(SaveWindowPng(code, path));
  std::ifstream file(path.c_str(), std::ios::binary);
  const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(file), {}};
  file.close();
  DeleteFileW(path.c_str());
  std::string error;
  const auto image = ReadPng(png, &error);
  ASSERT_TRUE(image) << error;
  RECT rect;
  GetWindowRect(code, &rect);
  EXPECT_EQ(rect.right - rect.left, image->width);
  EXPECT_EQ(rect.bottom - rect.top, image->height);
  // The client area starts at (B, Hb) inside the window; the probe pixel of the breakpoint row.
  const POINT offset = ClientOffset(code);
  const int x = offset.x + offset.x + 21 + 9 + 1;
  const int y = offset.y + offset.y + PainterFont(code).LineHeight() + 1;
  EXPECT_EQ(0x800000u, image->Pixel(x, y));
}

}  // namespace
}  // namespace sbx::test
