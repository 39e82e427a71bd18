#pragma once
// What the tests read of the tab strip's state: its tabs, their places, the scroll and the buttons.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "editor/tab_strip.h"

namespace qv {

class TabStripView {
 public:
  explicit TabStripView(const TabStrip& strip) : strip_(strip) {}

  bool Hooked() const { return strip_.Hooked(); }
  const std::vector<std::intptr_t>& Tabs() const { return strip_.Tabs(); }
  const std::vector<PixelRect>& TabRects() const { return strip_.rects_; }
  int ScrollOffset() const { return strip_.offset_; }
  int PressedTab() const { return strip_.PressedTab(); }
  StripButton HotButton() const { return strip_.hot_; }
  StripButton PressedButton() const { return strip_.pressed_button_; }
  // The window the context menu was last opened for.
  HWND MenuTarget() const { return strip_.menu_target_; }

 private:
  const TabStrip& strip_;
};

}  // namespace qv
