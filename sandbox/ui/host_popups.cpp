#include "sandbox/ui/host_popups.h"

#include <commctrl.h>

#include <initializer_list>

namespace sbx {
namespace {

void CreatePopup(qv::BoundWindow& popup, const wchar_t* class_name, int width, int height) {
  popup.Create(WS_EX_TOOLWINDOW, {class_name, 0, IDC_ARROW, GetSysColorBrush(COLOR_BTNFACE)}, L"", WS_POPUP | WS_BORDER,
               {100, 100, width, height}, nullptr);
}

}  // namespace

HostPopups::HostPopups() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  CreatePopup(colour_popup_, L"CBarPopup", 200, 200);
  tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, colour_popup_.hwnd(), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  // Tab captions of the real colour popup are not known; these are ours.
  for (const wchar_t* caption : {L"Palette", L"System"}) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    const auto count = SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0);
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&item));
  }
  CreatePopup(plain_popup_, L"CBarPopup", 150, 100);
  CreatePopup(name_list_, L"NameListWndClass", 200, 150);
}

void HostPopups::ShowNameList(bool shown) { ShowWindow(name_list_.hwnd(), shown ? SW_SHOWNOACTIVATE : SW_HIDE); }

void HostPopups::OpenColourPopup(int tab) {
  ShowWindow(colour_popup_.hwnd(), SW_SHOWNOACTIVATE);
  SendMessageW(tabs_, TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
}

void HostPopups::CloseColourPopup() { ShowWindow(colour_popup_.hwnd(), SW_HIDE); }

}  // namespace sbx
