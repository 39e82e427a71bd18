#include "sandbox/host/vbe.h"

#include "sandbox/host/code_pane.h"
#include "sandbox/host/command_bar_events.h"
#include "sandbox/host/command_bars.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/project.h"

namespace sbx {

WindowObject::WindowObject(std::shared_ptr<HostState> state, CodeWindow& code_window)
    : DispatchObject(std::move(state)), code_window_(&code_window), type_(kWindowCode) {}

WindowObject::WindowObject(std::shared_ptr<HostState> state, long type, std::wstring caption)
    : DispatchObject(std::move(state)), type_(type), caption_(std::move(caption)) {}

std::optional<qv::VbError> WindowObject::Refusal() const {
  if (auto closed = DispatchObject::Refusal()) return closed;
  if (type_ == kWindowCode && !code_window_) return qv::InvalidCallError();
  return std::nullopt;
}

HRESULT WindowObject::SetFocus() {
  return Guarded([&] {
    if (code_window_) {
      state().workspace->Activate(*code_window_);
    } else if (type_ == kWindowMain) {
      state().workspace->FocusMainWindow();
    }
  });
}

HRESULT WindowObject::get_Caption(BSTR* result) {
  return Guarded([&] {
    if (code_window_) {
      *result = Bstr(code_window_->Caption());
    } else if (type_ == kWindowMain) {
      // Windows are found by their title, so the caption is always the real one.
      const HWND main = state().workspace->MainWindow();
      std::wstring title(static_cast<size_t>(GetWindowTextLengthW(main)) + 1, L'\0');
      title.resize(static_cast<size_t>(GetWindowTextW(main, title.data(), static_cast<int>(title.size()))));
      *result = Bstr(title);
    } else {
      *result = Bstr(caption_);
    }
  });
}

HRESULT WindowObject::get_Type(LONG* result) {
  return Guarded([&] { *result = type_; });
}

VbeObject::VbeObject(std::shared_ptr<HostState> state)
    : DispatchObject(state), main_window_(Make<WindowObject>(state, kWindowMain, L"")) {}

HRESULT VbeObject::get_Version(BSTR* result) {
  return Guarded([&] { *result = Bstr(state().version); });
}

HRESULT VbeObject::get_FullName(BSTR* result) {
  return Guarded([&] { *result = Bstr(state().full_name); });
}

HRESULT VbeObject::get_MainWindow(IDispatch** result) {
  return Guarded([&] { *result = Share(main_window_); });
}

HRESULT VbeObject::get_ActiveCodePane(IDispatch** result) {
  return Guarded([&] {
    // The last active code pane, also while a designer or tool window is active (assumed).
    CodeWindow* window = state().workspace->LastActiveCodeWindow();
    *result = window ? Share(state().PaneOf(*window, window->ActivePane())) : nullptr;
  });
}

HRESULT VbeObject::get_ActiveVBProject(IDispatch** result) {
  return Guarded([&] {
    ProjectObject* project = ActiveProject();
    *result = project ? ShareObject(*project) : nullptr;
  });
}

ProjectObject* VbeObject::ActiveProject() const {
  if (const ComponentObject* selected = SelectedComponent()) return &selected->project();
  return state().projects.empty() ? nullptr : state().projects.front().Get();
}

HRESULT VbeObject::get_SelectedVBComponent(IDispatch** result) {
  return Guarded([&] {
    ComponentObject* selected = SelectedComponent();
    *result = selected ? ShareObject(*selected) : nullptr;
  });
}

void VbeObject::SelectComponent(ComponentObject* component) {
  selected_ = component;
  selected_with_ = state().workspace->LastActiveCodeWindow();
}

ComponentObject* VbeObject::SelectedComponent() const {
  // The project window's selection follows window activation (assumed).
  CodeWindow* active = state().workspace->LastActiveCodeWindow();
  if (active && active != selected_with_) return state().ComponentOf(active->text());
  return selected_;
}

HRESULT VbeObject::get_ActiveWindow(IDispatch** result) {
  return Guarded([&] {
    // With no child window active the main window is the active one (assumed).
    if (active_window_) {
      *result = Share(active_window_);
    } else if (CodeWindow* window = state().workspace->ActiveCodeWindow()) {
      *result = Share(state().WindowOf(*window));
    } else {
      *result = Share(main_window_);
    }
  });
}

HRESULT VbeObject::get_CodePanes(IDispatch** result) {
  return Guarded([&] { *result = Share(state().code_panes); });
}

HRESULT VbeObject::get_CommandBars(IDispatch** result) {
  return Guarded([&] { *result = Share(state().command_bars); });
}

HRESULT VbeObject::get_Events(IDispatch** result) {
  return Guarded([&] { *result = Share(state().events); });
}

}  // namespace sbx
