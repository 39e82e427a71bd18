#pragma once
// The host's root object and what the add-in reaches through it besides code and command bars.
#include <string>

#include "host/code_module.h"
#include "host/command_bars.h"
#include "host/host_object.h"

namespace qv {

// Values of Window.Type that the add-in tells apart.
enum WindowType : long {
  kCodeWindowType = 0,
  kWatchWindowType = 3,
  kLocalsWindowType = 4,
  kImmediateWindowType = 5,
  kPropertiesWindowType = 7,
  kMainWindowType = 12,
};

class Window : public HostObject {
 public:
  using HostObject::HostObject;

  std::wstring Caption() const;
  long Type() const;
  void SetFocus() const;
};

// A component's properties; in the VBA editor the document's "Path" (its folder) and "Name".
class Properties : public HostObject {
 public:
  using HostObject::HostObject;

  std::wstring Value(const std::wstring& name) const;
};

class VBComponent : public HostObject {
 public:
  using HostObject::HostObject;

  std::wstring Name() const;
  void SetName(const std::wstring& name) const;
  // 1 standard module, 2 class module, ...
  long Type() const;
  qv::CodeModule CodeModule() const;
  qv::Properties Properties() const;
  // The component's files: Visual Basic 6.0 only (the VBA editor fails the call).
  long FileCount() const;
  std::wstring FileNames(long index) const;
  void SaveAs(const std::wstring& file_name) const;
};

class VBComponents : public HostObject {
 public:
  using HostObject::HostObject;

  // Empty when the project has no component of that name.
  VBComponent Find(const std::wstring& name) const;
  VBComponent Add(long type) const;
  long Count() const;
  VBComponent Item(long index) const;
  // Visual Basic 6.0 only.
  VBComponent AddFile(const std::wstring& path, bool related) const;
  void Remove(const VBComponent& component) const;
};

class VBProject : public HostObject {
 public:
  using HostObject::HostObject;

  std::wstring Name() const;
  // "" while the project was never saved.
  std::wstring FileName() const;
  // False once the project changed since it was last saved.
  bool Saved() const;
  qv::VBComponents VBComponents() const;
};

// The event objects of the host's controls.
class Events : public HostObject {
 public:
  using HostObject::HostObject;

  // The object that raises the control's Click.
  HostObject CommandBarEvents(const CommandBarControl& control) const;
};

// The panes of every open code window; a split window has two, the upper first.
class CodePanes : public HostObject {
 public:
  using HostObject::HostObject;

  long Count() const;
  qv::CodePane Item(long index) const;
};

class Vbe : public HostObject {
 public:
  using HostObject::HostObject;

  std::wstring Version() const;
  // The host program's path; the Visual Basic 6.0 IDE's only.
  std::wstring FullName() const;
  qv::Window MainWindow() const;
  // Empty when the host has no active window.
  qv::Window ActiveWindow() const;
  // Empty when no code pane is active.
  qv::CodePane ActiveCodePane() const;
  qv::CodePanes CodePanes() const;
  qv::VBProject ActiveVBProject() const;
  VBComponent SelectedVBComponent() const;
  qv::CommandBars CommandBars() const;
  qv::Events Events() const;
};

}  // namespace qv
