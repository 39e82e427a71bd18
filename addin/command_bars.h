#pragma once
// The add-in's entries in the host's Add-Ins menu and its toolbar. AddCommandBarButtons and
// RemoveCommandBarButtons (the command window's unload) are declared with the entry points.
#include <string>

#include "win/late_bound.h"

namespace qv {

// The last control of CommandBar's Controls (a command bar or a menu) that is a button showing
// exactly ShortCutText; Nothing when there is none. A failing call goes to the caller.
Variant FindByShortCut(IDispatch* CommandBar, const std::wstring& ShortCutText);

}  // namespace qv
