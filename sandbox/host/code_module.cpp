#include "sandbox/host/code_module.h"

#include "kit/case_fold.h"
#include "sandbox/host/code_pane.h"
#include "sandbox/host/enum_variant.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/project.h"

namespace sbx {
namespace {

std::wstring_view View(BSTR text) { return {text, SysStringLen(text)}; }

// The procedure a Proc* member names; an unknown kind or a missing procedure raises.
const Procedure& NamedProcedure(const ModuleText& text, BSTR name, LONG kind) {
  if (kind < kProcSubFunction || kind > kProcGet) throw qv::InvalidCallError();
  const Procedure* procedure = text.Geometry().Find(View(name), kind);
  if (!procedure) throw qv::VbError(35, L"Процедура Sub или Function не определена");
  return *procedure;
}

}  // namespace

MemberObject::MemberObject(std::shared_ptr<HostState> state, ComponentObject& component, std::wstring name)
    : DispatchObject(std::move(state)), component_(component), name_(std::move(name)) {}

HRESULT MemberObject::get_Name(BSTR* result) {
  return Guarded([&] { *result = Bstr(name_); });
}

HRESULT MemberObject::get_Description(BSTR* result) {
  return Guarded([&] { *result = Bstr(component_.MemberDescription(name_)); });
}

MembersObject::MembersObject(std::shared_ptr<HostState> state, ComponentObject& component)
    : CollectionObject(std::move(state)), component_(component) {}

void MembersObject::Refresh() {
  std::vector<ComPtr<MemberObject>> members;
  for (const Procedure& procedure : component_.text().Geometry().procedures) {
    ComPtr<MemberObject>& member = by_folded_name_[qv::FoldCase(procedure.name)];
    if (!member) member = Make<MemberObject>(state().shared_from_this(), component_, procedure.name);
    if (std::find(members.begin(), members.end(), member) == members.end()) members.push_back(member);
  }
  items_ = std::move(members);
}

CodeModuleObject::CodeModuleObject(std::shared_ptr<HostState> state, ComponentObject& component)
    : DispatchObject(state), component_(component), members_(Make<MembersObject>(state, component)) {}

HRESULT CodeModuleObject::get_Lines(LONG start_line, LONG count, BSTR* result) {
  return Guarded([&] { *result = Bstr(component_.text().Lines(start_line, count)); });
}

HRESULT CodeModuleObject::get_CountOfLines(LONG* result) {
  return Guarded([&] { *result = component_.text().CountOfLines(); });
}

HRESULT CodeModuleObject::get_CountOfDeclarationLines(LONG* result) {
  return Guarded([&] { *result = component_.text().Geometry().declaration_lines; });
}

HRESULT CodeModuleObject::ReplaceLine(LONG line, BSTR code) {
  return Guarded([&] { component_.text().ReplaceLine(line, View(code)); });
}

HRESULT CodeModuleObject::InsertLines(LONG line, BSTR code) {
  return Guarded([&] { component_.text().InsertLines(line, View(code)); });
}

HRESULT CodeModuleObject::DeleteLines(LONG start_line, LONG count) {
  return Guarded([&] { component_.text().DeleteLines(start_line, count); });
}

HRESULT CodeModuleObject::AddFromString(BSTR text) {
  return Guarded([&] { component_.text().AddFromString(View(text)); });
}

HRESULT CodeModuleObject::get_ProcOfLine(LONG line, LONG* proc_kind, BSTR* result) {
  return Guarded([&] {
    const ModuleText& text = component_.text();
    if (line < 1 || line > text.CountOfLines()) throw qv::SubscriptError();
    const Procedure* procedure = text.Geometry().OfLine(line);
    *proc_kind = procedure ? procedure->kind : kProcSubFunction;
    *result = Bstr(procedure ? procedure->name : L"");
  });
}

HRESULT CodeModuleObject::get_ProcStartLine(BSTR proc_name, LONG proc_kind, LONG* result) {
  return Guarded([&] { *result = NamedProcedure(component_.text(), proc_name, proc_kind).start_line; });
}

HRESULT CodeModuleObject::get_ProcBodyLine(BSTR proc_name, LONG proc_kind, LONG* result) {
  return Guarded([&] { *result = NamedProcedure(component_.text(), proc_name, proc_kind).body_line; });
}

HRESULT CodeModuleObject::get_ProcCountLines(BSTR proc_name, LONG proc_kind, LONG* result) {
  return Guarded([&] { *result = NamedProcedure(component_.text(), proc_name, proc_kind).count_lines; });
}

HRESULT CodeModuleObject::get_Parent(IDispatch** result) {
  return Guarded([&] { *result = ShareObject(component_); });
}

HRESULT CodeModuleObject::get_CodePane(IDispatch** result) {
  return Guarded([&] {
    CodeWindow* window = state().WindowShowing(component_.text());
    // With no window open the host opens one without activating it (assumed).
    if (!window) window = &state().workspace->OpenCodeWindow(component_.text(), component_.CodeCaption(), false);
    *result = Share(state().PaneOf(*window, window->ActivePane()));
  });
}

HRESULT CodeModuleObject::get_Members(IDispatch** result) {
  return Guarded([&] { *result = Share(members_); });
}

}  // namespace sbx
