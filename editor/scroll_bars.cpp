#include "editor/scroll_bars.h"

namespace qv {
namespace {

// The window's style; nothing for a window that is gone.
bool StyleOf(HWND window, DWORD& style) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  if (!GetWindowInfo(window, &info)) return false;
  style = info.dwStyle;
  return true;
}

}  // namespace

bool IsVertScrollBar(HWND window, bool check_visible) {
  DWORD style = 0;
  return StyleOf(window, style) && (style & SBS_VERT) && (!check_visible || (style & WS_VISIBLE));
}

bool IsHorzScrollBar(HWND window) {
  DWORD style = 0;
  return StyleOf(window, style) && (style & WS_VISIBLE) && !(style & (SBS_VERT | SBS_SIZEBOX));
}

}  // namespace qv
