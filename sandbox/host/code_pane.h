#pragma once
// CodePanes and CodePane: views on the panes of the open code windows.
#include <memory>
#include <optional>

#include "sandbox/host/dispatch.h"

namespace sbx {

class CodeWindow;

class CodePaneObject final : public DispatchObject<CodePane> {
 public:
  CodePaneObject(std::shared_ptr<HostState> state, CodeWindow& window, int pane);

  HRESULT STDMETHODCALLTYPE GetSelection(LONG* start_line, LONG* start_column, LONG* end_line,
                                         LONG* end_column) override;
  HRESULT STDMETHODCALLTYPE SetSelection(LONG start_line, LONG start_column, LONG end_line, LONG end_column) override;
  HRESULT STDMETHODCALLTYPE get_TopLine(LONG* result) override;
  HRESULT STDMETHODCALLTYPE put_TopLine(LONG value) override;
  HRESULT STDMETHODCALLTYPE get_CountOfVisibleLines(LONG* result) override;
  HRESULT STDMETHODCALLTYPE get_CodeModule(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Window(IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE Show() override;

  // Called while the window is being destroyed: the pane refuses from then on.
  void Detach() { window_ = nullptr; }

 protected:
  std::optional<qv::VbError> Refusal() const override;

 private:
  CodeWindow* window_;
  int pane_;
};

class CodePanesObject final : public DispatchObject<CodePanes> {
 public:
  explicit CodePanesObject(std::shared_ptr<HostState> state);
  HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IDispatch** result) override;
  HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override;
  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** result) override;

 private:
  // Windows in opening order; a split window's upper pane before its lower one.
  std::vector<ComPtr<CodePaneObject>> Current() const;
};

}  // namespace sbx
