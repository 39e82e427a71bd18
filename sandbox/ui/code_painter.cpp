#include "sandbox/ui/code_painter.h"

#include <algorithm>
#include <string>

#include "sandbox/model/caret.h"
#include "sandbox/model/procedure_geometry.h"

namespace sbx {
namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kComment = RGB(0, 128, 0);
constexpr COLORREF kBreakpoint = RGB(128, 0, 0);
constexpr COLORREF kBreakpointText = RGB(255, 255, 255);
constexpr COLORREF kIndicatorBar = RGB(224, 224, 224);

void Fill(HDC dc, RECT rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// The whole line is drawn at the same origin for every colour run, clipped to the run, so each glyph
// stands exactly where one ExtTextOut of the whole line puts it.
void DrawRun(HDC dc, POINT origin, RECT clip, const std::wstring& line, COLORREF text, COLORREF back) {
  if (clip.right <= clip.left) return;
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  ExtTextOutW(dc, origin.x, origin.y, ETO_CLIPPED | ETO_OPAQUE, &clip, line.c_str(), static_cast<UINT>(line.size()),
              nullptr);
}

int PrefixX(const CodeDrawing& drawing, const PaneView& view, const std::wstring& line, int column) {
  const int shift = drawing.font.ScrollShift(view.first_column - 1);
  const auto length = std::min(line.size(), static_cast<size_t>(column - 1));
  return drawing.layout.text_left - shift + drawing.font.Extent(std::wstring_view(line).substr(0, length));
}

const std::wstring& LineOf(const ModuleText& text, int line) {
  static const std::wstring kEmpty;
  return line <= text.CountOfLines() ? text.Line(line) : kEmpty;
}

void DrawLine(HDC dc, const CodeDrawing& drawing, const PaneView& view, int line_number, RECT row) {
  const std::wstring& line = LineOf(drawing.text, line_number);
  const POINT origin{PrefixX(drawing, view, line, 1), row.top};
  if (drawing.breakpoints.contains(line_number)) {
    // From X0 - 1 whatever the scroll, so that pixel (X0 + 1, row top + 1) has the breakpoint colour.
    // The indicator bar shows no dot here (the real hosts draw one, assumed).
    Fill(dc, {row.left - 1, row.top, row.right, row.bottom}, kBreakpoint);
    DrawRun(dc, origin, row, line, kBreakpointText, kBreakpoint);
  } else {
    DrawRun(dc, origin, row, line, kText, kBackground);
    const size_t comment = CommentStart(line);
    if (comment != std::wstring::npos) {
      const int x = PrefixX(drawing, view, line, static_cast<int>(comment) + 1);
      DrawRun(dc, origin, {std::max<LONG>(row.left, x), row.top, row.right, row.bottom}, line, kComment, kBackground);
    }
  }
  const Selection& selection = view.selection;
  if (selection.start == selection.end || line_number < selection.start.line || line_number > selection.end.line) {
    return;
  }
  const int from = line_number == selection.start.line ? selection.start.column : 1;
  const int to = line_number == selection.end.line ? selection.end.column : static_cast<int>(line.size()) + 1;
  // A selected line break shows as one selected blank.
  const int line_break = line_number < selection.end.line ? drawing.font.Extent(L" ") : 0;
  const RECT selected{std::max<LONG>(row.left, PrefixX(drawing, view, line, from)), row.top,
                      std::min<LONG>(row.right, PrefixX(drawing, view, line, to) + line_break), row.bottom};
  DrawRun(dc, origin, selected, line, GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT));
}

void PaintPane(HDC dc, const CodeDrawing& drawing, int pane, const PaneView& view) {
  const CodeLayout& layout = drawing.layout;
  const PaneArea& area = layout.panes[static_cast<size_t>(pane)];
  const int top = pane == 0 ? layout.band : area.vertical_bar.top;
  Fill(dc, {0, top, layout.text_right, area.rows_bottom}, kBackground);
  if (drawing.indicator_bar) {
    Fill(dc, {layout.border, top, layout.border + kIndicatorBarWidth, area.rows_bottom}, kIndicatorBar);
  }
  const int line_height = drawing.font.LineHeight();
  int line = view.top_line;
  for (int y = area.rows_top; y < area.rows_bottom && line <= drawing.text.CountOfLines(); y += line_height, ++line) {
    DrawLine(dc, drawing, view, line,
             {layout.text_left, y, layout.text_right, std::min(y + line_height, area.rows_bottom)});
  }
}

}  // namespace

void PaintCodeWindow(HDC dc, const CodeDrawing& drawing, std::span<const PaneView> panes) {
  const CodeLayout& layout = drawing.layout;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // The object/procedure row, the splitter and the corners between the bars.
  Fill(dc, {0, 0, layout.client.right, layout.band}, face);
  Fill(dc, {layout.text_right, 0, layout.client.right, layout.client.bottom}, face);
  Fill(dc, {0, layout.panes[0].horizontal_bar.bottom, layout.text_right, layout.client.bottom}, face);
  for (size_t pane = 0; pane < panes.size(); ++pane) PaintPane(dc, drawing, static_cast<int>(pane), panes[pane]);
}

POINT PositionPoint(const CodeDrawing& drawing, int pane, const PaneView& view, TextPos pos) {
  const PaneArea& area = drawing.layout.panes[static_cast<size_t>(pane)];
  return {PrefixX(drawing, view, LineOf(drawing.text, pos.line), pos.column),
          area.rows_top + (pos.line - view.top_line) * drawing.font.LineHeight()};
}

TextPos PositionAt(const CodeDrawing& drawing, int pane, const PaneView& view, POINT point) {
  const PaneArea& area = drawing.layout.panes[static_cast<size_t>(pane)];
  const int row = static_cast<int>(std::max<LONG>(0, point.y - area.rows_top)) / std::max(1, drawing.font.LineHeight());
  const TextPos line_start = ClampPos(drawing.text, {view.top_line + row, 1});
  const std::wstring& line = LineOf(drawing.text, line_start.line);
  int best = 1;
  for (int column = 2; column <= static_cast<int>(line.size()) + 1; ++column) {
    if (std::abs(PrefixX(drawing, view, line, column) - point.x) <
        std::abs(PrefixX(drawing, view, line, best) - point.x)) {
      best = column;
    }
  }
  return {line_start.line, best};
}

int VisibleRows(const CodeLayout& layout, int pane, int line_height) {
  const PaneArea& area = layout.panes[static_cast<size_t>(pane)];
  return std::max(0, area.rows_bottom - area.rows_top) / std::max(1, line_height);
}

}  // namespace sbx
