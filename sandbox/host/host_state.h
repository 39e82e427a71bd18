#pragma once
// What the model objects of one host share: options, type library, windows, the entity roots and
// the views on code windows. Every model object keeps it alive, so an object an add-in still holds
// after shutdown refuses its calls instead of touching freed memory.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sandbox/host/dispatch.h"
#include "sandbox/host/host_options.h"
#include "sandbox/ui/workspace.h"

namespace sbx {

class CodePaneObject;
class CodePanesObject;
class CommandBarsObject;
class ComponentObject;
class EventsObject;
class ProjectObject;
class VbeObject;
class WindowObject;

// What the add-ins created and left alive; all 0 after a clean disconnection.
struct LiveAddInObjects {
  int sinks = 0;
  int event_objects = 0;
  int controls = 0;
};

class HostState : public std::enable_shared_from_this<HostState> {
 public:
  explicit HostState(HostOptions host_options);
  HostState(const HostState&) = delete;
  HostState& operator=(const HostState&) = delete;
  ~HostState();

  bool IsVba() const { return options.personality == Personality::kVba; }
  // HKCU key of the editor settings: font and tab width.
  std::wstring IdeSettingsKey() const;

  // The component whose module this is; nullptr for none.
  ComponentObject* ComponentOf(const ModuleText& text) const;
  // The open code window of the module, or nullptr.
  CodeWindow* WindowShowing(const ModuleText& text) const;
  // The views of an open code window: one object per window and pane, kept while it is open.
  ComPtr<CodePaneObject> PaneOf(CodeWindow& window, int pane);
  ComPtr<WindowObject> WindowOf(CodeWindow& window);

  // Releases the entities; objects still held elsewhere refuse from now on.
  void Close();

  HostOptions options;
  std::wstring version;
  std::wstring full_name;
  TypeLibrary types;
  std::unique_ptr<Workspace> workspace;
  bool closed = false;
  LiveAddInObjects live;

  ComPtr<VbeObject> vbe;
  ComPtr<CommandBarsObject> command_bars;
  ComPtr<EventsObject> events;
  ComPtr<CodePanesObject> code_panes;
  std::vector<ComPtr<ProjectObject>> projects;

 private:
  void ForgetWindow(CodeWindow& window);

  std::map<std::pair<CodeWindow*, int>, ComPtr<CodePaneObject>> panes_;
  std::map<CodeWindow*, ComPtr<WindowObject>> windows_;
};

}  // namespace sbx
