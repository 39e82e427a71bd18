#pragma once
// A sandbox host in this process: the VBA editor or the Visual Basic 6.0 IDE as the add-in sees it.
// Tests and the sandbox program drive it from here; the add-in reaches it only through vbe().
//
//   sbx::Host host({.personality = sbx::Personality::kVba});
//   auto& module = host.AddComponent(host.AddProject(L"VBAProject"), sbx::kStdModule, L"Module1", L"...");
//   host.Open(module);
//   host.add_ins().Connect(L"SandboxProbe.Connect", ext_cm_External);
//   host.Click(*host.FindControl({L"Add-Ins", L"Sandbox Probe"}));
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kit/vb_error.h"
#include "sandbox/host/addin_loader.h"
#include "sandbox/host/command_bars.h"
#include "sandbox/host/host_options.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/project.h"
#include "sandbox/host/vbe.h"

namespace sbx {

class Host {
 public:
  explicit Host(HostOptions options = {});
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;
  ~Host();

  // The root object, as OnConnection receives it (no reference added).
  IDispatch* vbe() const { return state_->vbe->AsDispatch(); }
  Workspace& workspace() const { return *state_->workspace; }
  AddInLoader& add_ins() { return loader_; }
  HostState& state() const { return *state_; }

  // A project; in VBA it lives in a document, whose component comes first (Type 100, assumed name
  // "ThisDocument"). `file_name`: the document or .vbp path, "" while never saved.
  ProjectObject& AddProject(std::wstring name, std::wstring file_name = L"");
  // "" names the component "<Module|Class|...><first free n>".
  ComponentObject& AddComponent(ProjectObject& project, long type, std::wstring name, std::wstring_view text);
  // The module's code window, opened if needed; `activate` makes it the active window.
  CodeWindow& Open(ComponentObject& component, bool activate = true);
  // The host's Save As: the project written to `path` (VB6: the project file, its components' files
  // beside it; VBA: the document), FileName and FileNames pointing there, the project saved.
  void SaveProject(ProjectObject& project, const std::wstring& path);
  // VB6: saves the project as "<folder>\<name>.vbp" with these version lines.
  void SaveVb6Project(ProjectObject& project, const std::wstring& folder, int major, int minor, int revision);

  // Settable host values.
  void SetVersion(std::wstring version) { state_->version = std::move(version); }
  void SetFullName(std::wstring full_name) { state_->full_name = std::move(full_name); }
  // ActiveWindow becomes a window of this type and caption until FollowActiveWindow().
  void SetActiveWindow(long type, std::wstring caption);
  void FollowActiveWindow();
  // The project window's selection, until another code window becomes active.
  void SelectComponent(ComponentObject& component) { state_->vbe->SelectComponent(&component); }

  // Command bars. Path: bar name, then captions (without regard to "&" and case).
  ControlObject* FindControl(std::initializer_list<std::wstring_view> path) const {
    return FindControl(std::span(path.begin(), path.size()));
  }
  ControlObject* FindControl(std::span<const std::wstring_view> path) const;
  // The user's click: events, then the built-in action. False when disabled or a popup.
  bool Click(ControlObject& control) { return control.Click(); }
  std::wstring BarsTree() const { return state_->command_bars->Tree(); }
  // The bars an add-in made and did not mark temporary, as they are now or as the add-ins left
  // them at shutdown: give them to the next host's options.
  std::vector<BarSnapshot> SurvivingBars() const;

  // Per-member call counters and faults, by type name ("CodeModule", "CommandBarButton", ...) and
  // member name; an unknown name raises qv::VbError.
  DispatchType& Type(std::wstring_view type_name) const;
  long Calls(std::wstring_view type_name, std::wstring_view member) const { return Type(type_name).Calls(member); }
  long TotalCalls() const;
  // Characters of all texts the model has handed out since ResetCalls.
  long long TotalCharsRead() const;
  void ResetCalls();
  void InjectFault(std::wstring_view type_name, std::wstring_view member, qv::VbError error = qv::InvalidCallError()) {
    Type(type_name).InjectFault(member, std::move(error));
  }
  void RemoveMember(std::wstring_view type_name, std::wstring_view member) { Type(type_name).RemoveMember(member); }
  void ClearFaults();

  // What the add-ins created and left alive.
  const LiveAddInObjects& live() const { return state_->live; }

  // Dispatches this thread's messages (the add-in's timers among them) for a while.
  void Pump(DWORD milliseconds);
  // Add-ins disconnect and unload, messages are pumped for `linger` (a timer or window an unloaded
  // library left behind shows up as a crash), then the windows and objects go. Idempotent.
  void ShutDown(DWORD linger = 300);

 private:
  std::shared_ptr<HostState> state_;
  AddInLoader loader_;
  bool shut_down_ = false;
  std::vector<BarSnapshot> surviving_bars_;
};

}  // namespace sbx
