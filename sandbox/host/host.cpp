#include "sandbox/host/host.h"

#include "win/files.h"
#include "win/registry.h"
#include "sandbox/host/code_pane.h"
#include "sandbox/host/command_bar_events.h"
#include "sandbox/host/project_files.h"
#include "sandbox/ui/message_loop.h"

namespace sbx {
namespace {

std::shared_ptr<HostState> NewState(HostOptions options) {
  auto state = std::make_shared<HostState>(std::move(options));
  if (state->full_name.empty()) state->full_name = qv::ModuleFileName(nullptr);
  // The members the VBA editor lacks fail to resolve there.
  if (state->IsVba()) {
    state->types.Named(L"VBE")->RemoveMember(L"FullName");
    for (const wchar_t* member : {L"FileCount", L"FileNames", L"SaveAs"}) {
      state->types.Named(L"VBComponent")->RemoveMember(member);
    }
    state->types.Named(L"VBComponents")->RemoveMember(L"AddFile");
    state->types.Named(L"CodeModule")->RemoveMember(L"Members");
  } else {
    // The VB6 IDE reads its window mode from here; keep the two in agreement.
    qv::SetRegValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Visual Basic\\6.0", L"SDI",
                    state->options.sdi ? L"1" : L"0");
  }
  state->vbe = Make<VbeObject>(state);
  state->events = Make<EventsObject>(state);
  state->code_panes = Make<CodePanesObject>(state);
  state->command_bars = Make<CommandBarsObject>(state);
  AddStartBars(*state, *state->command_bars.Get());
  return state;
}

}  // namespace

Host::Host(HostOptions options) : state_(NewState(std::move(options))), loader_(state_) {}

Host::~Host() { ShutDown(); }

ProjectObject& Host::AddProject(std::wstring name, std::wstring file_name) {
  state_->projects.push_back(Make<ProjectObject>(state_, std::move(name)));
  ProjectObject& project = *state_->projects.back().Get();
  project.SetFileName(std::move(file_name));
  if (state_->IsVba()) project.components().Add(kDocument, L"ThisDocument", L"");
  return project;
}

ComponentObject& Host::AddComponent(ProjectObject& project, long type, std::wstring name, std::wstring_view text) {
  return project.components().Add(type, std::move(name), text);
}

CodeWindow& Host::Open(ComponentObject& component, bool activate) {
  CodeWindow* window = state_->WindowShowing(component.text());
  if (!window) return state_->workspace->OpenCodeWindow(component.text(), component.CodeCaption(), activate);
  if (activate) state_->workspace->Activate(*window);
  return *window;
}

void Host::SaveProject(ProjectObject& project, const std::wstring& path) {
  WriteProject(*state_, project, path);
  project.SetSaved(true);
}

void Host::SaveVb6Project(ProjectObject& project, const std::wstring& folder, int major, int minor, int revision) {
  project.SetVersion({major, minor, revision});
  SaveProject(project, folder + L"\\" + project.name() + L".vbp");
}

void Host::SetActiveWindow(long type, std::wstring caption) {
  state_->vbe->SetActiveWindow(Make<WindowObject>(state_, type, std::move(caption)));
}

void Host::FollowActiveWindow() { state_->vbe->SetActiveWindow(nullptr); }

ControlObject* Host::FindControl(std::span<const std::wstring_view> path) const {
  return state_->command_bars->FindControl(path);
}

std::vector<BarSnapshot> Host::SurvivingBars() const {
  if (shut_down_) return surviving_bars_;
  std::vector<BarSnapshot> bars;
  for (const auto& bar : state_->command_bars->items()) {
    if (bar->by_add_in() && !bar->temporary()) bars.push_back(bar->Snapshot());
  }
  return bars;
}

DispatchType& Host::Type(std::wstring_view type_name) const {
  DispatchType* type = state_->types.Named(type_name);
  if (!type) throw qv::VbError(13, L"No such host type: " + std::wstring(type_name));
  return *type;
}

long Host::TotalCalls() const {
  long total = 0;
  for (const auto& type : state_->types.types()) total += type->TotalCalls();
  return total;
}

long long Host::TotalCharsRead() const {
  long long total = 0;
  for (const auto& type : state_->types.types()) total += type->CharsRead();
  return total;
}

void Host::ResetCalls() {
  for (const auto& type : state_->types.types()) type->ResetCalls();
}

void Host::ClearFaults() {
  for (const auto& type : state_->types.types()) type->ClearFaults();
}

void Host::Pump(DWORD milliseconds) { PumpFor(milliseconds); }

void Host::ShutDown(DWORD linger) {
  if (shut_down_) return;
  loader_.ShutDown();
  surviving_bars_ = SurvivingBars();
  shut_down_ = true;
  PumpFor(linger);
  state_->Close();
}

}  // namespace sbx
