#pragma once
// The add-in's controls in the host's command bars.
#include <windows.h>

#include <optional>
#include <string_view>

#include "host/command_bars.h"

namespace qv {

struct ControlSpec {
  ControlType type = kButton;
  std::wstring_view caption;
  std::optional<bool> begin_group;  // unset: left as the host makes it
  const wchar_t* face = nullptr;    // a button's picture (button_faces.h)
};

// VBInstance.CommandBars(name); throws when there is none.
CommandBar NamedBar(std::wstring_view name);

// Adds a visible control at the end of `parent`, a command bar or popup. Caption, group,
// visibility and face are steps of their own; throws only when the control cannot be added. A face
// goes through the clipboard of `form`, the hidden command window.
CommandBarControl AddControl(const ControlParent& parent, const ControlSpec& spec, HWND form = nullptr);

}  // namespace qv
