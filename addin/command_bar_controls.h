#pragma once
// The add-in's controls in the host's command bars, added and removed late-bound.
#include <optional>
#include <string_view>

#include "win/late_bound.h"

namespace qv {

// CommandBarControls.Add types.
enum ControlType : long { kButton = 1, kPopup = 10 };

struct ControlSpec {
  long type = kButton;
  std::wstring_view caption;
  std::optional<bool> begin_group;  // unset: left as the host makes it
  const wchar_t* face = nullptr;    // a button's picture (button_faces.h)
};

// VBInstance.CommandBars(name); throws when there is none.
Variant CommandBar(const wchar_t* name);
// Control `index` (from 1) of a command bar or popup.
Variant ControlAt(const Variant& parent, long index);

// Adds a visible control at the end of `parent`, a command bar or popup. Caption, group,
// visibility and face are steps of their own; throws only when the control cannot be added.
Variant AddControl(const Variant& parent, const ControlSpec& spec);

void Delete(const Variant& control_or_bar);

}  // namespace qv
