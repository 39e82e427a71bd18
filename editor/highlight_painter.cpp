#include "editor/highlight_painter.h"

#include <olectl.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/connection.h"
#include "codetools/highlight_runs.h"
#include "codetools/logical_line.h"
#include "editor/scroll_bars.h"
#include "host/host_module_view.h"
#include "kit/vb_convert.h"
#include "win/failure_log.h"
#include "win/gdi_owners.h"
#include "win/registry.h"
#include "win/window_identity.h"

namespace qv {
namespace {

constexpr COLORREF kBreakpointBack = RGB(128, 0, 0);
constexpr int kIndicatorBarWidth = 21;
constexpr int kFrameAllowance = 27;  // what the editor keeps from the client size for its bars
constexpr int kLowerPaneRowsBelowBar = 2;

// The pane's first visible lines read with one call; what a logical line needs above or below
// them, and the module's geometry, come from the host as they are asked for.
class PageView : public CodeModuleView {
 public:
  PageView(const CodeModule& module, long count, long first, long last)
      : first_(first), page_(module.Lines(first, last - first + 1)), rest_(module, count) {}

  long CountOfLines() const override { return rest_.CountOfLines(); }
  std::wstring_view Line(long line) const override {
    return line >= first_ && line < first_ + page_.CountOfLines() ? page_.Line(line - first_ + 1) : rest_.Line(line);
  }
  long CountOfDeclarationLines() const override { return rest_.CountOfDeclarationLines(); }
  std::wstring ProcOfLine(long line, long& kind) const override { return rest_.ProcOfLine(line, kind); }
  long ProcBodyLine(std::wstring_view name, long kind) const override { return rest_.ProcBodyLine(name, kind); }

 private:
  long first_;
  ModuleText page_;
  HostModuleView rest_;
};

// The host editor's font values, read at every paint since the user may change them at any time.
struct EditorFontValues {
  std::wstring face = L"Courier New CYR";
  int points = 10;
  int charset = 204;
  bool indicator_bar = true;
};

EditorFontValues ReadEditorFontValues(const std::wstring& key) {
  EditorFontValues values;
  const auto number = [&](const wchar_t* name, int fallback) {
    const std::optional<std::wstring> text = GetRegValue(HKEY_CURRENT_USER, key, name);
    const std::optional<double> value = text ? LeadingNumber(*text) : std::nullopt;
    // A value beyond 32 bits is as good as missing.
    return value && std::abs(*value) < 2147483647.0 ? static_cast<int>(*value) : fallback;
  };
  if (std::optional<std::wstring> face = GetRegValue(HKEY_CURRENT_USER, key, L"FontFace")) values.face = *face;
  values.points = number(L"FontHeight", values.points);
  values.charset = number(L"FontCharset", values.charset);
  values.indicator_bar = number(L"IndicatorBar", 1) != 0;
  return values;
}

Font CreateEditorFont(HDC dc, const EditorFontValues& values) {
  return Font(CreateFontW(-MulDiv(values.points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                          FALSE, static_cast<DWORD>(values.charset), OUT_DEFAULT_PRECIS, CLIP_CHARACTER_PRECIS,
                          PROOF_QUALITY, 0, values.face.c_str()));
}

bool IsActiveCodeWindow(HWND window) {
  if (State().settings.IsSDI) return GetCodeWindow() == window;
  const HWND client = GetParent(window);
  return client && ClassName(client) == L"MDIClient" &&
         reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0)) == window;
}

RECT ClientRectOf(HWND child, HWND parent) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The window's visible scroll bars, in client coordinates: a split window shows two of each.
struct PaneBars {
  std::vector<RECT> vertical;
  std::vector<std::pair<RECT, HWND>> horizontal;
  bool split() const { return vertical.size() + horizontal.size() == 4 && !vertical.empty(); }
};

PaneBars VisibleBars(HWND window) {
  PaneBars bars;
  for (HWND bar = FindWindowExW(window, nullptr, L"ScrollBar", nullptr); bar;
       bar = FindWindowExW(window, bar, L"ScrollBar", nullptr)) {
    if (IsVertScrollBar(bar, true)) {
      bars.vertical.push_back(ClientRectOf(bar, window));
    } else if (IsHorzScrollBar(bar)) {
      bars.horizontal.emplace_back(ClientRectOf(bar, window), bar);
    }
  }
  return bars;
}

// The pane's window caption; none, recorded, when the host cannot give it.
std::optional<std::wstring> CaptionOf(const CodePane& pane) {
  std::optional<std::wstring> caption;
  Guarded(L"painter: window caption", [&] { caption = pane.Window().Caption(); });
  return caption;
}

// A module's line count and last line tell its window apart when captions cannot be read.
std::pair<long, std::wstring> ModuleEnd(const CodePane& pane) {
  const CodeModule module = pane.CodeModule();
  const long count = module.CountOfLines();
  return {count, count > 0 ? module.Lines(count, 1) : std::wstring()};
}

bool ShowsSameWindow(const CodePane& pane, const CodePane& active, const std::optional<std::wstring>& active_caption) {
  if (active_caption) {
    if (const std::optional<std::wstring> caption = CaptionOf(pane)) return *caption == *active_caption;
  }
  return ModuleEnd(pane) == ModuleEnd(active);
}

// Of two panes of one window, the active one is the lower when the other comes first.
bool LowerPaneActive(const Vbe& vbe, const CodePane& active) {
  const std::optional<std::wstring> caption = CaptionOf(active);
  const CodePanes panes = vbe.CodePanes();
  long before = 0;
  for (long i = 1, count = panes.Count(); i <= count; ++i) {
    const CodePane pane = panes.Item(i);
    if (SameObject(pane.get(), active.get())) return before == 1;
    if (ShowsSameWindow(pane, active, caption)) ++before;
  }
  return false;
}

// Where the editor draws the painted pane's rows.
struct PaneGeometry {
  RECT clip{};       // the text area: never the indicator bar, a horizontal bar or the other pane
  int text_x = 0;    // x of column 1, scrolled
  int rows_top = 0;  // y of the top line's row
  HWND horizontal_bar = nullptr;
};

PaneGeometry Geometry(HWND window, const Vbe& vbe, const CodePane& pane, bool indicator_bar) {
  const Settings& settings = State().settings;
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(window, &info);
  const int border = info.rcClient.left - info.rcWindow.left;
  const int band = info.rcClient.top - info.rcWindow.top;
  RECT client{};
  GetClientRect(window, &client);
  PaneGeometry geometry;
  geometry.text_x = border + settings.SyntaxColoring_ShiftX + (indicator_bar ? kIndicatorBarWidth : 0);
  geometry.rows_top = band + settings.SyntaxColoring_ShiftY;
  geometry.clip = {geometry.text_x, geometry.rows_top, client.right + 2 * border - kFrameAllowance,
                   client.bottom - kFrameAllowance};
  PaneBars bars = VisibleBars(window);
  std::ranges::sort(bars.horizontal, {}, [](const auto& bar) { return bar.first.top; });
  if (bars.horizontal.empty()) return geometry;
  auto own_bar = bars.horizontal.front();
  if (bars.split() && LowerPaneActive(vbe, pane)) {
    const RECT lower = *std::ranges::max_element(bars.vertical, {}, [](const RECT& r) { return r.top; });
    geometry.rows_top = geometry.clip.top = static_cast<int>(lower.top) + kLowerPaneRowsBelowBar;
    own_bar = bars.horizontal.back();
  }
  geometry.clip.bottom = std::min<LONG>(geometry.clip.bottom, own_bar.first.top);
  geometry.horizontal_bar = own_bar.second;
  return geometry;
}

int ScrollPosition(HWND bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  return bar && GetScrollInfo(bar, SB_CTL, &info) ? info.nPos : 0;
}

SIZE TextExtent(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

COLORREF Translated(std::int32_t colour) {
  COLORREF rgb = 0;
  return SUCCEEDED(OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &rgb)) ? rgb : 0;
}

// The whole line is drawn from its start for every run, clipped to the run's cells, so that each
// glyph lands exactly where the editor's one call for the line put it.
void PaintRuns(HDC dc, const std::wstring& text, const std::vector<ColourRun>& runs, POINT origin, RECT row) {
  const int length = static_cast<int>(text.size());
  std::vector<int> ends(text.size());
  SIZE size{};
  GetTextExtentExPointW(dc, text.c_str(), length, 0, nullptr, ends.data(), &size);
  const auto x = [&](std::size_t column) { return origin.x + (column ? ends[std::min(column, ends.size()) - 1] : 0); };
  for (const ColourRun& run : runs) {
    const RECT cells{std::max<LONG>(row.left, x(run.column)), row.top,
                     std::min<LONG>(row.right, x(run.column + run.length)), row.bottom};
    if (cells.left >= cells.right) continue;
    SetTextColor(dc, Translated(run.colour));
    ExtTextOutW(dc, origin.x, origin.y, ETO_CLIPPED, &cells, text.c_str(), static_cast<UINT>(length), nullptr);
  }
}

struct Rewrite {
  long line;
  std::wstring text;
};

// What a paint reads of the active pane, once.
struct PaneState {
  CodePane pane;
  CodeModule module;
  Selection selection;
  long top = 0;
  long visible = 0;
};

// Paints lines first..last of the pane; gives the directive lines whose case is to be rewritten.
std::vector<Rewrite> PaintLinesOf(HWND window, const Vbe& vbe, const PaneState& state, long first, long last) {
  std::vector<Rewrite> rewrites;
  const long count = state.module.CountOfLines();
  first = std::max(first, state.top);
  last = std::min({last, state.top + state.visible, count});
  if (first > last) return rewrites;
  const EditorFontValues values = ReadEditorFontValues(State().IDESettingsKey);
  const WindowDc dc = ClientDc(window);
  if (!dc) return rewrites;
  const SavedDcState saved(dc.get());  // the clip and colours go back as they were
  const Selected<HFONT> font(dc.get(), CreateEditorFont(dc.get(), values));
  const PaneGeometry geometry = Geometry(window, vbe, state.pane, values.indicator_bar);
  const int line_height = TextExtent(dc.get(), L" ").cy;
  // The editor scrolls by the average of a narrow and a wide letter.
  const int shift =
      ScrollPosition(geometry.horizontal_bar) * (TextExtent(dc.get(), L"d").cx + TextExtent(dc.get(), L"i").cx) / 2;
  const HighlightOptions options = MakeHighlightOptions(State().settings, Tables().SyntaxTexts, Tables().SyntaxTextColors);
  // From the line above: it tells whether the first line continues it.
  const PageView view(state.module, count, std::max(first - 1, 1L), last);
  for (long line = first; line <= last; ++line) {
    const int y = geometry.rows_top + static_cast<int>(line - state.top) * line_height;
    const RECT row{geometry.clip.left, std::max<LONG>(y, geometry.clip.top), geometry.clip.right,
                   std::min<LONG>(y + line_height, geometry.clip.bottom)};
    if (row.top >= row.bottom) continue;
    // The editor's breakpoint rows are its own, whatever the horizontal scroll.
    if (GetPixel(dc.get(), geometry.text_x + 1, y + 1) == kBreakpointBack) continue;
    const LineHighlight highlight = HighlightLine(GetLine(view, line), line, state.selection, options);
    if (highlight.runs.empty()) continue;
    const std::wstring text = highlight.rewritten.value_or(std::wstring(view.Line(line)));
    PaintRuns(dc.get(), text, highlight.runs, {geometry.text_x - shift, y}, row);
    if (highlight.rewritten) rewrites.push_back({line, *highlight.rewritten});
  }
  return rewrites;
}

}  // namespace

void PaintCodePane(HWND window, PaintLines lines) {
  if (!IsActiveCodeWindow(window)) return;
  const Vbe& vbe = VBInstance();
  CodePane pane = vbe.ActiveCodePane();
  if (!pane) return;
  const Selection selection = pane.GetSelection();
  const long top = pane.TopLine();
  const long visible = pane.CountOfVisibleLines();
  CodeModule module = pane.CodeModule();
  const PaneState state{std::move(pane), std::move(module), selection, top, visible};
  const long caret = selection.start_line;
  const bool caret_only = lines == PaintLines::kCaretLine;
  // After the DC is released: a rewrite makes the editor repaint, which paints again.
  for (const Rewrite& rewrite : PaintLinesOf(window, vbe, state, caret_only ? caret : top, caret_only ? caret : top + visible)) {
    state.module.ReplaceLine(rewrite.line, rewrite.text);
  }
}

}  // namespace qv
