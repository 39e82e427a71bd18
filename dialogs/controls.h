#pragma once
// Setting a control's value as the forms of the edited language do: a value that is set raises the
// control's Click or Change only when it changes, and an option button only when it becomes the
// selected one of its group. The notification goes to the parent as WM_COMMAND, as a user's click.
#include <windows.h>

#include <string>
#include <string_view>

namespace qv {

std::wstring ControlText(HWND control);
// EN_CHANGE (an edit's WM_SETTEXT sends one even for the same text) only when the text differs.
void SetControlText(HWND control, std::wstring_view text);
// A check box: BN_CLICKED when the state changes.
void SetChecked(HWND control, bool checked);
bool IsChecked(HWND control);
// An option button: clears the others of its group (WS_GROUP to WS_GROUP); BN_CLICKED when it was
// not selected.
void SelectOption(HWND control);

// Selects an edit's whole text, so that typing replaces it.
void SelectAllText(HWND edit);

}  // namespace qv
