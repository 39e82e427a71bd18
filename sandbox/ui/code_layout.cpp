#include "sandbox/ui/code_layout.h"

namespace sbx {
namespace {

constexpr int kTextGap = 9;          // between the indicator bar and the text
constexpr int kSplitterHeight = 4;   // between the two panes of a split window
constexpr int kLowerRowsOffset = 2;  // the lower pane's rows start this far below its vertical bar

}  // namespace

CodeLayout ComputeCodeLayout(HWND window, bool split, bool indicator_bar) {
  CodeLayout layout;
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  GetWindowInfo(window, &info);
  layout.border = info.rcClient.left - info.rcWindow.left;
  layout.band = info.rcClient.top - info.rcWindow.top;
  layout.text_left = layout.border + (indicator_bar ? kIndicatorBarWidth : 0) + kTextGap;
  GetClientRect(window, &layout.client);

  const int width = layout.client.right;
  const int height = layout.client.bottom;
  const int bar_width = GetSystemMetrics(SM_CXVSCROLL);
  const int bar_height = GetSystemMetrics(SM_CYHSCROLL);
  layout.text_right = width - bar_width;
  // A pane: its vertical bar at the right from `top`, its horizontal bar at the bottom up to `bottom`.
  auto place = [&](PaneArea& pane, int top, int bottom) {
    pane.vertical_bar = {width - bar_width, top, width, bottom - bar_height};
    pane.horizontal_bar = {0, bottom - bar_height, width - bar_width, bottom};
    pane.rows_bottom = bottom - bar_height;
  };
  if (!split) {
    place(layout.panes[0], layout.band, height);
    layout.panes[0].rows_top = layout.band;
    return layout;
  }
  const int middle = layout.band + (height - layout.band) / 2;
  place(layout.panes[0], layout.band, middle);
  layout.panes[0].rows_top = layout.band;
  place(layout.panes[1], middle + kSplitterHeight, height);
  layout.panes[1].rows_top = layout.panes[1].vertical_bar.top + kLowerRowsOffset;
  return layout;
}

}  // namespace sbx
