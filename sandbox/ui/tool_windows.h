#pragma once
// The host's tool windows that scroll through scroll-bar controls of their own (Watches, Locals,
// Immediate) and the Properties window with the property value's edit box. Tests place them:
// docked in the main frame or in the MDI client, or floating as top-level windows.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "win/bound_window.h"

namespace sbx {

enum class ToolPlace { kDocked, kInMdiClient, kFloating };

// window (title = caption) -> panel (its first child) -> three "ScrollBar" children of the panel:
// a visible vertical one (deeper than a direct child), a hidden vertical one and a visible
// horizontal one.
struct ToolWindowParts {
  HWND window = nullptr;
  HWND panel = nullptr;
  HWND bar = nullptr;
  HWND hidden_bar = nullptr;
  HWND horizontal_bar = nullptr;
};

class ToolWindows {
 public:
  ToolWindows(HWND main, HWND mdi_client);
  ~ToolWindows();

  ToolWindowParts Add(const std::wstring& caption, ToolPlace place);
  // WM_VSCROLL messages with this code (SB_LINEUP, SB_LINEDOWN) that `receiver` got for `bar`
  // (its lParam). The tool windows and their panels count them.
  int VScrolls(HWND receiver, HWND bar, WPARAM code) const;
  // All WM_VSCROLL that any of them got.
  int TotalVScrolls() const;

  // The Properties window titled `caption`: a "wndclass_pbrs" docked in the main frame, or inside
  // a top-level "VBFloatingPalette" of the same title; gives its "Edit" box, whose text is the
  // property's value.
  HWND AddProperties(const std::wstring& caption, bool floating);

  using Key = std::tuple<HWND, HWND, WPARAM>;

 private:
  HWND main_;
  HWND mdi_client_;
  std::map<Key, int> vscrolls_;
  std::vector<std::unique_ptr<qv::BoundWindow>> windows_;
};

}  // namespace sbx
