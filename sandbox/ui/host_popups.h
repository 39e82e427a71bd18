#pragma once
// The host's top-level popups that exist before any add-in connects: two "CBarPopup" windows (one
// holding a "SysTabControl32" with two tabs: the colour popup) and the IntelliSense list
// "NameListWndClass". All start hidden; tests show them.
#include <windows.h>

#include "win/bound_window.h"

namespace sbx {

class HostPopups {
 public:
  HostPopups();

  void ShowNameList(bool shown);
  // Shows the colour popup and moves the tab focus to `tab` with TCM_SETCURFOCUS, not relying on
  // whichever tab had it.
  void OpenColourPopup(int tab);
  void CloseColourPopup();
  // The colour popup's tab control, whose first tab is the palette.
  HWND ColourTabs() const { return tabs_; }

 private:
  qv::BoundWindow colour_popup_;
  HWND tabs_ = nullptr;
  qv::BoundWindow plain_popup_;
  qv::BoundWindow name_list_;
};

}  // namespace sbx
