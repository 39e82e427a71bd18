#pragma once
// The strip of tabs, one per document window, in the non-client area of the host's MDI client: the
// client is hooked, makes room for the strip when asked for its frame, and the strip paints with the
// frame. Clicking a tab activates its window, dragging reorders, two buttons scroll and a third closes
// the active window; a context menu closes one window, all, or all but one.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/back_buffer.h"
#include "kit/tab_strip_layout.h"
#include "win/gdi_owners.h"
#include "win/subclass.h"

namespace qv {

enum class TabCommand : UINT { kClose = 1, kCloseAllButThis, kCloseAll };

class TabStrip : public Subclass {
 public:
  // Fonts and the surface live from Init to Terminate.
  void Init();
  void Terminate();
  void Attach(HWND main);
  void Detach();
  void SetPosition(long position);
  // Room and picture again: the frame of the client is recomputed and repainted.
  void Refresh();
  // Refreshes when the client's active child is not the one seen last time.
  void FollowActive();

  void RunCommand(TabCommand command, HWND target) const;

 protected:
  std::optional<LRESULT> OnMessage(HWND window, UINT& message, WPARAM& wparam, LPARAM& lparam) override;

 private:
  // The tests' view of the strip's state (tests/editor/tab_strip_view.h).
  friend class TabStripView;

  struct Fonts {
    Font normal, bold, arrows, cross;
  };

  const std::vector<std::intptr_t>& Tabs() const { return order_.Tabs(); }
  // The pressed tab's place now: its window may have moved or gone since the press.
  int PressedTab() const { return order_.IndexOf(reinterpret_cast<std::intptr_t>(pressed_window_)); }

  HWND TabWindow(int tab) const { return reinterpret_cast<HWND>(Tabs()[static_cast<std::size_t>(tab)]); }
  const PixelRect& TabRect(int tab) const { return rects_[static_cast<std::size_t>(tab)]; }
  StripGeometry Geometry() const;
  HWND ActiveChild() const;
  // Direct children of the client that are document windows.
  std::vector<HWND> DocumentWindows() const;
  bool IsDocument(HWND window) const;
  void Sync();
  void CloseAllBut(HWND keep) const;
  void Activate(HWND window);

  void Draw();
  void DrawGround(HDC dc, const StripGeometry& geometry) const;
  // Lays the tabs out from their captions' widths; the captions, in tab order.
  std::vector<std::wstring> Measure(HDC dc, int active_tab, const StripGeometry& geometry);
  // False once the tab starts beyond the buttons: it and those after it are not drawn.
  bool DrawTab(HDC dc, int tab, int active, const std::wstring& caption, const StripGeometry& geometry,
               bool& active_shown) const;
  void DrawButton(HDC dc, StripButton button, const StripGeometry& geometry) const;
  void DrawFrame(HDC dc, int width, int height) const;

  // Window coordinates of the cursor: the strip lies outside the client area.
  POINT Cursor() const;
  int HitTab() const;
  StripButton HitButton() const;
  void OnStripMouse(UINT message);
  void OnCapturedMouse(UINT message);
  // False while the press has not moved far enough to drag.
  bool Drag();
  void Hover();
  void Press();
  void Release();
  void ResetMouse();
  void MoveTab(int from, int to);
  void ShowMenu(int tab);

  std::optional<Fonts> fonts_;
  std::optional<BackBuffer> buffer_;
  HWND client_ = nullptr;
  bool had_client_edge_ = false;
  bool bottom_ = false;
  TabOrder order_;
  std::vector<PixelRect> rects_;
  int offset_ = 0;
  HWND last_active_ = nullptr;  // as the last paint saw it
  HWND seen_active_ = nullptr;  // as the last tick saw it
  HWND pressed_window_ = nullptr;  // the tab pressed with the left button
  bool drag_armed_ = false;
  POINT drag_start_{};
  StripButton hot_ = StripButton::kNone;
  StripButton pressed_button_ = StripButton::kNone;
  HWND menu_target_ = nullptr;
};

}  // namespace qv
