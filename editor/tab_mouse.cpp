// The mouse over the strip. Windows sends no client mouse messages for the frame: without the
// capture the strip reads WM_SETCURSOR, with it the ordinary mouse messages.
#include <algorithm>

#include "editor/tab_strip.h"

namespace qv {
namespace {

POINT ScreenCursor() {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

}  // namespace

POINT TabStrip::Cursor() const {
  POINT point = ScreenCursor();
  RECT window{};
  GetWindowRect(client_, &window);
  return {point.x - window.left, point.y - window.top};
}

int TabStrip::HitTab() const {
  const POINT point = Cursor();
  const int tab = HitTestTab(point.x, point.y, rects_, Geometry().ButtonsRect(), offset_);
  return tab < static_cast<int>(Tabs().size()) ? tab : kNoTab;
}

StripButton TabStrip::HitButton() const {
  const POINT point = Cursor();
  return HitTestButton(point.x, point.y, Geometry(), rects_, offset_);
}

void TabStrip::Activate(HWND window) {
  if (window != ActiveChild()) SendMessageW(client_, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
}

void TabStrip::OnStripMouse(UINT message) {
  if (message == WM_MOUSEMOVE) {
    const StripButton button = HitButton();
    if (button == hot_) return;
    if (hot_ == StripButton::kNone) SetCapture(client_);
    hot_ = button;
    Refresh();
  } else if (message == WM_LBUTTONDOWN) {
    const int tab = HitTab();
    if (tab != kNoTab) {
      pressed_window_ = TabWindow(tab);
      drag_armed_ = true;
      drag_start_ = ScreenCursor();
      SetCapture(client_);
      Activate(pressed_window_);
      return Refresh();
    }
    const StripButton button = HitButton();
    if (button == StripButton::kNone) return;
    pressed_button_ = button;
    if (hot_ == StripButton::kNone) SetCapture(client_);
    hot_ = button;
    Refresh();
  } else if (message == WM_RBUTTONUP && !pressed_window_) {
    const int tab = HitTab();
    if (tab == kNoTab) return;
    Activate(TabWindow(tab));
    ShowMenu(tab);
  }
}

void TabStrip::OnCapturedMouse(UINT message) {
  if (message == WM_MOUSEMOVE) {
    if (pressed_window_ && !Drag()) return;
    Hover();
  } else if (message == WM_LBUTTONDOWN) {
    Press();
  } else {
    Release();
  }
}

// A pressed window that has closed drags nothing.
bool TabStrip::Drag() {
  const int pressed = PressedTab();
  if (pressed == kNoTab || pressed >= static_cast<int>(rects_.size())) return true;
  if (drag_armed_) {
    if (!DragPassesThreshold(HitTab(), pressed, ScreenCursor().x - drag_start_.x, TabRect(pressed))) return false;
    drag_armed_ = false;
  }
  const POINT point = Cursor();
  const int target = DragTarget(point.x + offset_, point.y, rects_);
  if (target != kNoTab && target != pressed && target < static_cast<int>(Tabs().size())) MoveTab(pressed, target);
  return true;
}

void TabStrip::MoveTab(int from, int to) {
  order_.Move(from, to);
  Refresh();
  drag_armed_ = true;
  drag_start_ = ScreenCursor();
}

// A pressed button shows sunken only while the mouse is over it.
void TabStrip::Hover() {
  if (hot_ == StripButton::kNone) return;
  const StripButton button = HitButton();
  if (button == hot_) return;
  if (button != StripButton::kNone) {
    hot_ = button;
  } else {
    hot_ = StripButton::kNone;
    if (pressed_button_ == StripButton::kNone) ReleaseCapture();
  }
  Refresh();
}

// Scrolling happens on the press.
void TabStrip::Press() {
  const StripButton button = HitButton();
  if (button == StripButton::kNone) return;
  SetCapture(client_);
  hot_ = pressed_button_ = button;
  const int step = ScrollStep(rects_, Geometry().Width());
  if (button == StripButton::kScrollLeft) offset_ = std::max(0, offset_ - step);
  if (button == StripButton::kScrollRight) offset_ = std::max(0, ClampScroll(offset_ + step, rects_, Geometry().Width()));
  Refresh();
}

// Closing happens on a release over the close button it was pressed on.
void TabStrip::Release() {
  const bool tab_still_there = PressedTab() != kNoTab && IsDocument(pressed_window_);
  const HWND window = pressed_window_;
  const StripButton pressed = pressed_button_;
  const StripButton over = HitButton();
  pressed_window_ = nullptr;
  drag_armed_ = false;
  hot_ = pressed_button_ = StripButton::kNone;
  if (GetCapture() == client_) ReleaseCapture();
  if (tab_still_there) Activate(window);
  if (pressed == StripButton::kNone) return;
  if (pressed == over && pressed == StripButton::kClose) RunCommand(TabCommand::kClose, ActiveChild());
  Refresh();
}

// The capture went elsewhere (Alt+Tab, a menu): nothing stays pressed or hot.
void TabStrip::ResetMouse() {
  const bool changed = pressed_window_ || hot_ != StripButton::kNone || pressed_button_ != StripButton::kNone;
  pressed_window_ = nullptr;
  drag_armed_ = false;
  hot_ = pressed_button_ = StripButton::kNone;
  if (changed) Refresh();
}

void TabStrip::ShowMenu(int tab) {
  menu_target_ = TabWindow(tab);
  const HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuW(menu, MF_STRING, static_cast<UINT>(TabCommand::kClose), L"Закрыть");
  AppendMenuW(menu, MF_STRING, static_cast<UINT>(TabCommand::kCloseAllButThis), L"Закрыть все кроме текущего");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, static_cast<UINT>(TabCommand::kCloseAll), L"Закрыть все");
  const POINT at = ScreenCursor();
  const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, client_, nullptr);
  DestroyMenu(menu);
  if (chosen > 0) RunCommand(static_cast<TabCommand>(chosen), menu_target_);
}

}  // namespace qv
