#pragma once
// The tab strip across the MDI client, without windows: its tabs in the user's order, where each tab
// and button lies (window coordinates of the MDI client, origin at its outer top-left corner), how
// far it scrolls, what a point hits and where a dragged tab goes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kit/pixel_rect.h"

namespace qv {

constexpr int kStripHeight = 24;
constexpr int kButtonSize = 16;
constexpr int kNoTab = -1;

enum class StripButton { kNone, kScrollLeft, kScrollRight, kClose };

// A document window gets a tab when its class name holds this word, in this case.
bool IsDocumentClass(std::wstring_view class_name);
// The part of a window title a tab shows: up to a NUL, after the first " - " when there is one.
std::wstring TabCaption(std::wstring_view title);

// Window handles as integers, in the order the user sees the tabs.
class TabOrder {
 public:
  const std::vector<std::intptr_t>& Tabs() const { return tabs_; }
  int IndexOf(std::intptr_t window) const;
  // New windows go to the end in the order found; windows not found drop out; the rest keep their order.
  void Sync(const std::vector<std::intptr_t>& found);
  void Move(int from, int to);

 private:
  std::vector<std::intptr_t> tabs_;
};

// The strip of a window of this outer size, above or below its client area.
class StripGeometry {
 public:
  StripGeometry(int width, int height, bool bottom) : width_(width), height_(height), bottom_(bottom) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Bottom() const { return bottom_; }
  PixelRect Strip() const;
  int TabTop() const { return bottom_ ? height_ - 22 : 3; }
  int TabBottom() const { return bottom_ ? height_ - 3 : 22; }
  // Left of the three buttons at the strip's right end.
  int ButtonsLeft() const { return Strip().right - 3 * kButtonSize; }
  PixelRect ButtonsRect() const;
  PixelRect Button(StripButton button) const;
  // Tabs from their text widths (0 for an empty caption: 8 pixels wide), before scrolling.
  std::vector<PixelRect> Layout(const std::vector<int>& text_widths) const;

 private:
  int width_;
  int height_;
  bool bottom_;
};

// The client's rectangle inside the window's, room made for the strip and the 2-pixel frame.
PixelRect ClientInsideStrip(PixelRect window, bool bottom);

// The scroll offset that brings a newly active tab into view: it starts 16 pixels from the left.
int ScrollToShow(const PixelRect& tab, int offset, const StripGeometry& geometry);
// The offset limited so that the last tab ends 4 pixels before the buttons, 0 when all tabs fit.
int ClampScroll(int offset, const std::vector<PixelRect>& tabs, int window_width);
// One click of a scroll button, in pixels.
int ScrollStep(const std::vector<PixelRect>& tabs, int window_width);

// The tab under a window point; the point is shifted by the offset, and the buttons cover tabs.
int HitTestTab(int x, int y, const std::vector<PixelRect>& tabs, const PixelRect& buttons, int offset);
// The button under a window point that is enabled now.
StripButton HitTestButton(int x, int y, const StripGeometry& geometry, const std::vector<PixelRect>& tabs,
                          int offset);
bool CanScrollLeft(int offset);
bool CanScrollRight(const std::vector<PixelRect>& tabs, int offset, const StripGeometry& geometry);

// Where the dragged tab goes for a window point shifted by the offset: the front left of the first tab,
// the end right of the last, kNoTab further than 64 pixels above or below the row or between tabs.
int DragTarget(int x, int y, const std::vector<PixelRect>& tabs);
// An armed drag starts when the cursor leaves its own tab's place by more than half its width.
bool DragPassesThreshold(int hit, int pressed, int distance, const PixelRect& pressed_tab);

// Weight 0 to 255 of the first colour; colours as 0x00BBGGRR, each channel rounded to the nearest.
std::uint32_t BlendColor(std::uint32_t first, std::uint32_t second, int weight);

}  // namespace qv
