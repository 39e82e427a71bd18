#pragma once
// The add-in's entries in the host's Add-Ins menu and its toolbar.
#include <windows.h>

#include <string>

#include "host/click_binding.h"
#include "host/command_bars.h"

namespace qv {

// What each of the add-in's controls does when clicked; the library gives them.
struct CommandHandlers {
  ClickHandler Options, About, Format, Declarate, Numeration, NumerationMenu, UnNumerationMenu, Proc, Backup, Help;
};

// Makes the entries and the toolbar, bound to `handlers`; `form` owns the clipboard that carries the
// buttons' faces.
void AddCommandBarButtons(const CommandHandlers& handlers, HWND form);
// The hidden command window's unload: saves the toolbar position, deletes the controls it made.
void RemoveCommandBarButtons();

// The last control of `bar` (a command bar or a menu) that is a button showing exactly
// ShortCutText; empty when there is none. A failing call goes to the caller.
CommandBarControl FindByShortCut(const CommandBar& bar, const std::wstring& ShortCutText);

}  // namespace qv
