#pragma once
// The root object handed to OnConnection, and the Window objects.
#include <memory>
#include <optional>
#include <string>

#include "sandbox/host/dispatch.h"

namespace sbx {

class CodeWindow;
class ComponentObject;
class ProjectObject;

// Window Type values of the host.
enum WindowType : long {
  kWindowCode = 0,
  kWindowDesigner = 1,
  kWindowWatch = 3,
  kWindowLocals = 4,
  kWindowImmediate = 5,
  kWindowProperties = 7,
  kWindowMain = 12,
};

class WindowObject final : public DispatchObject<Window> {
 public:
  // The view of a code window: its panes share it.
  WindowObject(std::shared_ptr<HostState> state, CodeWindow& code_window);
  // The main frame (kWindowMain) or a window a test names (designer, tool window, Properties).
  WindowObject(std::shared_ptr<HostState> state, long type, std::wstring caption);

  HRESULT STDMETHODCALLTYPE SetFocus() override;
  HRESULT STDMETHODCALLTYPE get_Caption(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_Type(LONG* result) override;

  // Called while the code window is being destroyed.
  void Detach() { code_window_ = nullptr; }

 protected:
  std::optional<qv::VbError> Refusal() const override;

 private:
  CodeWindow* code_window_ = nullptr;
  long type_;
  std::wstring caption_;
};

class VbeObject final : public DispatchObject<VBE> {
 public:
  explicit VbeObject(std::shared_ptr<HostState> state);

  HRESULT STDMETHODCALLTYPE get_Version(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_FullName(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE get_MainWindow(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_ActiveCodePane(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_ActiveVBProject(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_SelectedVBComponent(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_ActiveWindow(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_CodePanes(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_CommandBars(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Events(IDispatch** result) override;

  // Test hooks. A window set here is ActiveWindow until cleared with nullptr.
  void SetActiveWindow(ComPtr<WindowObject> window) { active_window_ = std::move(window); }
  // Selected until another code window becomes active.
  void SelectComponent(ComponentObject* component);
  ComponentObject* SelectedComponent() const;
  // The selected component's project, else the first project; nullptr without projects.
  ProjectObject* ActiveProject() const;

 private:
  ComPtr<WindowObject> main_window_;
  ComPtr<WindowObject> active_window_;
  ComponentObject* selected_ = nullptr;
  CodeWindow* selected_with_ = nullptr;  // the last active code window when the selection was made
};

}  // namespace sbx
