#pragma once
// The host's top-level popups that exist before any add-in connects: two "CBarPopup" windows (one
// holding a "SysTabControl32" with two tabs: the colour popup) and the IntelliSense list
// "NameListWndClass". All start hidden; tests show them.
#include <windows.h>

namespace sbx {

class HostPopups {
 public:
  HostPopups();
  HostPopups(const HostPopups&) = delete;
  HostPopups& operator=(const HostPopups&) = delete;
  ~HostPopups();

  void ShowNameList(bool shown);
  // Shows the colour popup and moves the tab focus to `tab` with TCM_SETCURFOCUS, not relying on
  // whichever tab had it.
  void OpenColourPopup(int tab);
  void CloseColourPopup();

 private:
  HWND colour_popup_ = nullptr;
  HWND tabs_ = nullptr;
  HWND plain_popup_ = nullptr;
  HWND name_list_ = nullptr;
};

}  // namespace sbx
