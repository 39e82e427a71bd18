#pragma once
// The host's command bars and their controls.
#include <optional>
#include <string>
#include <string_view>

#include "host/host_object.h"

namespace qv {

class CommandBarControls;

// The properties that place a toolbar.
enum class BarPlace { kPosition, kRowIndex, kLeft, kTop };

// CommandBarControls.Add types.
enum ControlType : long { kButton = 1, kPopup = 10 };

// A bar or a popup control: both hold controls.
class ControlParent : public HostObject {
 public:
  using HostObject::HostObject;

  qv::CommandBarControls Controls() const;
  void SetVisible(bool visible) const;
  void Delete() const;
};

class CommandBarControl : public ControlParent {
 public:
  using ControlParent::ControlParent;

  std::wstring Caption() const;
  void SetCaption(std::wstring_view caption) const;
  bool BeginGroup() const;
  void SetBeginGroup(bool begin) const;
  bool Enabled() const;
  void SetEnabled(bool enabled) const;
  // A button's pressed state; nullopt when the host gives Null.
  std::optional<bool> State() const;
  void SetState(bool down) const;
  std::wstring ShortCutText() const;
  long Index() const;
  // Takes the face from the clipboard.
  void PasteFace() const;
  // Runs the control's command.
  void Execute() const;
};

class CommandBarControls : public HostObject {
 public:
  using HostObject::HostObject;

  long Count() const;
  // From 1.
  CommandBarControl Item(long index) const;
  CommandBarControl Add(ControlType type) const;
};

class CommandBar : public ControlParent {
 public:
  using ControlParent::ControlParent;

  // For a submenu's bar: the popup control that opens it.
  CommandBarControl Parent() const;
  long Place(BarPlace property) const;
  void SetPlace(BarPlace property, double value) const;
};

class CommandBars : public HostObject {
 public:
  using HostObject::HostObject;

  // Throws when there is no bar of that name.
  CommandBar Item(std::wstring_view name) const;
  // Empty when there is none.
  CommandBar Find(std::wstring_view name) const;
  CommandBar Add(std::wstring_view name) const;
};

}  // namespace qv
