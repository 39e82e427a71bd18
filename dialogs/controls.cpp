#include "dialogs/controls.h"

namespace qv {
namespace {

void RaiseCommand(HWND control, WORD code) {
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

}  // namespace

std::wstring ControlText(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetControlText(HWND control, std::wstring_view text) {
  if (ControlText(control) == text) return;
  const std::wstring value(text);
  SetWindowTextW(control, value.c_str());
}

void SetChecked(HWND control, bool checked) {
  if (IsChecked(control) == checked) return;
  SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  RaiseCommand(control, BN_CLICKED);
}

bool IsChecked(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SelectOption(HWND control) {
  const bool was_selected = IsChecked(control);
  const auto starts_group = [](HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_GROUP) != 0; };
  HWND first = control;
  while (!starts_group(first) && GetWindow(first, GW_HWNDPREV)) first = GetWindow(first, GW_HWNDPREV);
  for (HWND other = first; other && (other == first || !starts_group(other)); other = GetWindow(other, GW_HWNDNEXT)) {
    const bool option = (SendMessageW(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
    if (option && other != control) SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
  if (!was_selected) RaiseCommand(control, BN_CLICKED);
}

void SelectAllText(HWND edit) { SendMessageW(edit, EM_SETSEL, 0, -1); }

}  // namespace qv
