#pragma once
// Where a code window puts its scroll bars and rows: the geometry of the host's drawing contract,
// which the add-in's highlight painter recomputes from the same window.
#include <windows.h>

#include <array>

namespace sbx {

struct PaneArea {
  RECT vertical_bar{};
  RECT horizontal_bar{};
  int rows_top = 0;     // client y of the pane's first row
  int rows_bottom = 0;  // rows end here, above the pane's horizontal bar
};

struct CodeLayout {
  int border = 0;      // B: client left - window left
  int band = 0;        // Hb: client top - window top; [0, Hb) is the object/procedure row
  int text_left = 0;   // X0
  int text_right = 0;  // the vertical bars' left edge
  RECT client{};
  std::array<PaneArea, 2> panes;  // the upper pane first; the lower one only while split
};

inline constexpr int kIndicatorBarWidth = 21;

CodeLayout ComputeCodeLayout(HWND window, bool split, bool indicator_bar);

}  // namespace sbx
