#pragma once
// The add-in's entries in the host's Add-Ins menu and its toolbar. AddCommandBarButtons and
// RemoveCommandBarButtons (the command window's unload) are declared with the entry points.
#include <string>

#include "host/command_bars.h"

namespace qv {

// The last control of `bar` (a command bar or a menu) that is a button showing exactly
// ShortCutText; empty when there is none. A failing call goes to the caller.
CommandBarControl FindByShortCut(const CommandBar& bar, const std::wstring& ShortCutText);

}  // namespace qv
