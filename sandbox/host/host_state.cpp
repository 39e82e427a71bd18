#include "sandbox/host/host_state.h"

#include "sandbox/host/code_pane.h"
#include "sandbox/host/command_bar_events.h"
#include "sandbox/host/command_bars.h"
#include "sandbox/host/project.h"
#include "sandbox/host/vbe.h"

namespace sbx {
namespace {

WorkspaceOptions WindowsOf(const HostState& state) {
  WorkspaceOptions options;
  options.sdi = !state.IsVba() && state.options.sdi;
  options.main_caption =
      state.IsVba() ? L"Microsoft Visual Basic for Applications" : L"Microsoft Visual Basic [design]";
  options.ide_settings_key = state.IdeSettingsKey();
  return options;
}

}  // namespace

HostState::HostState(HostOptions host_options)
    : options(std::move(host_options)),
      // Default versions of the two hosts (assumed forms).
      version(!options.version.empty() ? options.version
              : IsVba()                ? L"6.05"
                                       : L"6.00"),
      full_name(options.full_name) {
  workspace = Workspace::Create(WindowsOf(*this));
  workspace->on_code_window_destroyed = [this](CodeWindow& window) { ForgetWindow(window); };
  workspace->case_keywords = options.case_keywords;
}

HostState::~HostState() = default;

std::wstring HostState::IdeSettingsKey() const {
  if (!IsVba()) return L"Software\\Microsoft\\VBA\\Microsoft Visual Basic";
  return L"Software\\Microsoft\\VBA\\" + version.substr(0, 3) + L"\\Common";
}

ComponentObject* HostState::ComponentOf(const ModuleText& text) const {
  for (const auto& project : projects) {
    for (const auto& component : project->components().items()) {
      if (&component->text() == &text) return component.Get();
    }
  }
  return nullptr;
}

CodeWindow* HostState::WindowShowing(const ModuleText& text) const {
  for (CodeWindow* window : workspace->CodeWindows()) {
    if (&window->text() == &text) return window;
  }
  return nullptr;
}

ComPtr<CodePaneObject> HostState::PaneOf(CodeWindow& window, int pane) {
  ComPtr<CodePaneObject>& view = panes_[{&window, pane}];
  if (!view) view = Make<CodePaneObject>(shared_from_this(), window, pane);
  return view;
}

ComPtr<WindowObject> HostState::WindowOf(CodeWindow& window) {
  ComPtr<WindowObject>& view = windows_[&window];
  if (!view) view = Make<WindowObject>(shared_from_this(), window);
  return view;
}

void HostState::ForgetWindow(CodeWindow& window) {
  std::erase_if(panes_, [&](auto& entry) {
    if (entry.first.first != &window) return false;
    entry.second->Detach();
    return true;
  });
  if (const auto view = windows_.find(&window); view != windows_.end()) {
    view->second->Detach();
    windows_.erase(view);
  }
}

void HostState::Close() {
  if (closed) return;
  closed = true;
  workspace.reset();  // the windows go first: they show the modules' text
  panes_.clear();
  windows_.clear();
  events.Reset();
  command_bars.Reset();
  code_panes.Reset();
  projects.clear();
  vbe.Reset();
}

}  // namespace sbx
