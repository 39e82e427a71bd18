#pragma once
// Draws a code window by the host's drawing contract, and says where a text position is drawn.
#include <windows.h>

#include <set>
#include <span>

#include "sandbox/model/module_text.h"
#include "sandbox/ui/code_layout.h"
#include "sandbox/ui/code_window.h"
#include "sandbox/ui/editor_font.h"

namespace sbx {

// What one pane shows.
struct PaneView {
  int top_line = 1;
  int first_column = 1;
  Selection selection;
};

struct CodeDrawing {
  const CodeLayout& layout;
  const EditorFont& font;
  bool indicator_bar = true;
  const ModuleText& text;
  const std::set<int>& breakpoints;
};

// Paints the whole client area; `panes` has one view per visible pane, the upper first.
void PaintCodeWindow(HDC dc, const CodeDrawing& drawing, std::span<const PaneView> panes);

// Client coordinates of the top left of `pos` as drawn in a pane (which may be outside its rows).
POINT PositionPoint(const CodeDrawing& drawing, int pane, const PaneView& view, TextPos pos);

// The position drawn nearest to a client point of a pane, inside the text.
TextPos PositionAt(const CodeDrawing& drawing, int pane, const PaneView& view, POINT point);

// Whole rows that fit in a pane.
int VisibleRows(const CodeLayout& layout, int pane, int line_height);

}  // namespace sbx
