#include "sandbox/host/code_pane.h"

#include <algorithm>

#include "sandbox/host/code_module.h"
#include "sandbox/host/enum_variant.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/project.h"
#include "sandbox/host/vbe.h"

namespace sbx {
namespace {

// The last line a position may name: line 1 of an empty module too (assumed).
int LastLine(const ModuleText& text) { return std::max(1, text.CountOfLines()); }

int LineLength(const ModuleText& text, int line) {
  return line <= text.CountOfLines() ? static_cast<int>(text.Line(line).size()) : 0;
}

// Columns past the end of the line are clamped to 1..Len(line) + 1: the add-in passes such columns
// and the host takes them (assumed; switch: strict, raises).
TextPos CheckedPosition(const ModuleText& text, long line, long column, bool strict) {
  if (line < 1 || line > LastLine(text)) throw qv::SubscriptError();
  const int last_column = LineLength(text, static_cast<int>(line)) + 1;
  if (strict && (column < 1 || column > last_column)) throw qv::InvalidCallError();
  return {static_cast<int>(line), std::clamp(static_cast<int>(column), 1, last_column)};
}

}  // namespace

CodePaneObject::CodePaneObject(std::shared_ptr<HostState> state, CodeWindow& window, int pane)
    : DispatchObject(std::move(state)), window_(&window), pane_(pane) {}

std::optional<qv::VbError> CodePaneObject::Refusal() const {
  if (auto closed = DispatchObject::Refusal()) return closed;
  if (!window_ || pane_ >= window_->PaneCount()) return qv::InvalidCallError();
  return std::nullopt;
}

HRESULT CodePaneObject::GetSelection(LONG* start_line, LONG* start_column, LONG* end_line, LONG* end_column) {
  return Guarded([&] {
    const Selection selection = window_->GetSelection(pane_);
    *start_line = selection.start.line;
    *start_column = selection.start.column;
    *end_line = selection.end.line;
    *end_column = selection.end.column;
  });
}

HRESULT CodePaneObject::SetSelection(LONG start_line, LONG start_column, LONG end_line, LONG end_column) {
  return Guarded([&] {
    const bool strict = state().options.strict_selection_columns;
    const TextPos start = CheckedPosition(window_->text(), start_line, start_column, strict);
    const TextPos end = CheckedPosition(window_->text(), end_line, end_column, strict);
    window_->SetSelection(pane_, {std::min(start, end), std::max(start, end)});
  });
}

HRESULT CodePaneObject::get_TopLine(LONG* result) {
  return Guarded([&] { *result = window_->TopLine(pane_); });
}

HRESULT CodePaneObject::put_TopLine(LONG value) {
  return Guarded([&] {
    // Past the end the host shows the last line at the top; below 1 it raises (assumed).
    if (value < 1) throw qv::InvalidCallError();
    window_->SetTopLine(pane_, std::min(static_cast<int>(value), LastLine(window_->text())));
  });
}

HRESULT CodePaneObject::get_CountOfVisibleLines(LONG* result) {
  return Guarded([&] { *result = window_->CountOfVisibleLines(pane_); });
}

HRESULT CodePaneObject::get_CodeModule(IDispatch** result) {
  return Guarded([&] { *result = ShareObject(state().ComponentOf(window_->text())->code_module()); });
}

HRESULT CodePaneObject::get_Window(IDispatch** result) {
  return Guarded([&] { *result = Share(state().WindowOf(*window_)); });
}

HRESULT CodePaneObject::Show() {
  return Guarded([&] { state().workspace->Activate(*window_); });
}

CodePanesObject::CodePanesObject(std::shared_ptr<HostState> state) : DispatchObject(std::move(state)) {}

std::vector<ComPtr<CodePaneObject>> CodePanesObject::Current() const {
  std::vector<ComPtr<CodePaneObject>> panes;
  for (CodeWindow* window : state().workspace->CodeWindows()) {
    for (int pane = 0; pane < window->PaneCount(); ++pane) panes.push_back(state().PaneOf(*window, pane));
  }
  return panes;
}

HRESULT CodePanesObject::get_Item(VARIANT index, IDispatch** result) {
  return Guarded([&] {
    // Panes have no names: a text index does not convert.
    *result = Share(FindItem(Current(), LongArg(index), [](auto&) { return std::wstring(); }));
  });
}

HRESULT CodePanesObject::get_Count(LONG* result) {
  return Guarded([&] { *result = static_cast<LONG>(Current().size()); });
}

HRESULT CodePanesObject::get__NewEnum(IUnknown** result) {
  return Guarded([&] { *result = NewEnum(Current()); });
}

}  // namespace sbx
