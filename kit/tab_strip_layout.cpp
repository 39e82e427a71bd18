#include "kit/tab_strip_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qv {

bool IsDocumentClass(std::wstring_view class_name) { return class_name.find(L"Window") != std::wstring_view::npos; }

std::wstring TabCaption(std::wstring_view title) {
  title = title.substr(0, title.find(L'\0'));
  const std::size_t dash = title.find(L" - ");
  return std::wstring(dash == std::wstring_view::npos ? title : title.substr(dash + 3));
}

int TabOrder::IndexOf(std::intptr_t window) const {
  const auto found = std::find(tabs_.begin(), tabs_.end(), window);
  return found == tabs_.end() ? kNoTab : static_cast<int>(found - tabs_.begin());
}

void TabOrder::Sync(const std::vector<std::intptr_t>& found) {
  for (const std::intptr_t window : found) {
    if (IndexOf(window) == kNoTab) tabs_.push_back(window);
  }
  std::erase_if(tabs_, [&](std::intptr_t window) { return std::find(found.begin(), found.end(), window) == found.end(); });
}

void TabOrder::Move(int from, int to) {
  const std::intptr_t window = tabs_[static_cast<std::size_t>(from)];
  tabs_.erase(tabs_.begin() + from);
  tabs_.insert(tabs_.begin() + to, window);
}

PixelRect StripGeometry::Strip() const {
  return bottom_ ? PixelRect{1, height_ - 22, width_ - 1, height_ - 1} : PixelRect{1, 1, width_ - 1, kStripHeight - 2};
}

PixelRect StripGeometry::ButtonsRect() const {
  const PixelRect strip = Strip();
  return {ButtonsLeft(), strip.top + 3, strip.right, strip.bottom + 3};
}

PixelRect StripGeometry::Button(StripButton button) const {
  const int left = ButtonsLeft() + (static_cast<int>(button) - 1) * kButtonSize;
  const int top = ButtonsRect().top;
  return {left, top, left + kButtonSize, top + kButtonSize};
}

std::vector<PixelRect> StripGeometry::Layout(const std::vector<int>& text_widths) const {
  std::vector<PixelRect> tabs;
  int left = 3;
  for (const int width : text_widths) {
    const int right = left + (width > 0 ? width + 16 : 8);
    tabs.push_back({left, TabTop(), right, TabBottom()});
    left = right;
  }
  return tabs;
}

PixelRect ClientInsideStrip(PixelRect window, bool bottom) {
  window.left += 2;
  window.right -= 2;
  window.top += bottom ? 2 : kStripHeight;
  window.bottom -= bottom ? kStripHeight : 2;
  return window;
}

int ScrollToShow(const PixelRect& tab, int offset, const StripGeometry& geometry) {
  if (tab.right - offset > geometry.ButtonsLeft() || tab.left - offset < geometry.Strip().left) offset = tab.left - 16;
  return offset <= 16 ? 0 : offset;
}

int ClampScroll(int offset, const std::vector<PixelRect>& tabs, int window_width) {
  if (tabs.empty()) return offset;
  const int room = window_width - 3 * kButtonSize;
  const int right = tabs.back().right;
  if (right > room && right - offset < room) return right - room + 4;
  if (right < room && offset > 0) return 0;
  return offset;
}

int ScrollStep(const std::vector<PixelRect>& tabs, int window_width) {
  if (tabs.empty()) return 0;
  int sum = 0;
  for (const PixelRect& tab : tabs) sum += tab.right - tab.left;
  const int average = sum / static_cast<int>(tabs.size());
  const int step = window_width > 2 * average ? window_width - average : window_width;
  if (step >= 0) return step;
  return average / 2 >= 0 ? average / 2 : 32;
}

int HitTestTab(int x, int y, const std::vector<PixelRect>& tabs, const PixelRect& buttons, int offset) {
  x += offset;
  if (buttons.Contains(x, y)) return kNoTab;
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    if (tabs[i].Contains(x, y)) return static_cast<int>(i);
  }
  return kNoTab;
}

bool CanScrollLeft(int offset) { return offset > 0; }

bool CanScrollRight(const std::vector<PixelRect>& tabs, int offset, const StripGeometry& geometry) {
  return !tabs.empty() && tabs.back().right - offset > geometry.ButtonsLeft();
}

StripButton HitTestButton(int x, int y, const StripGeometry& geometry, const std::vector<PixelRect>& tabs,
                          int offset) {
  const auto over = [&](StripButton button) { return geometry.Button(button).Contains(x, y); };
  if (CanScrollLeft(offset) && over(StripButton::kScrollLeft)) return StripButton::kScrollLeft;
  if (CanScrollRight(tabs, offset, geometry) && over(StripButton::kScrollRight)) return StripButton::kScrollRight;
  if (!tabs.empty() && over(StripButton::kClose)) return StripButton::kClose;
  return StripButton::kNone;
}

int DragTarget(int x, int y, const std::vector<PixelRect>& tabs) {
  if (tabs.empty() || y <= tabs.front().top - 64 || y >= tabs.front().bottom + 64) return kNoTab;
  if (x < tabs.front().left) return 0;
  if (x > tabs.back().right) return static_cast<int>(tabs.size()) - 1;
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    if (tabs[i].left <= x && x <= tabs[i].right) return static_cast<int>(i);
  }
  return kNoTab;
}

bool DragPassesThreshold(int hit, int pressed, int distance, const PixelRect& pressed_tab) {
  return hit == pressed || std::abs(distance) > (pressed_tab.right - pressed_tab.left) / 2;
}

std::uint32_t BlendColor(std::uint32_t first, std::uint32_t second, int weight) {
  std::uint32_t blend = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double a = (first >> shift) & 0xFF;
    const double b = (second >> shift) & 0xFF;
    const auto channel = static_cast<std::uint32_t>(std::nearbyint(a * weight / 255 + b * (255 - weight) / 255));
    blend |= channel << shift;
  }
  return blend;
}

}  // namespace qv
