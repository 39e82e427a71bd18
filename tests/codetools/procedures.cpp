#include "tests/codetools/procedures.h"

#include <stdexcept>

#include "codetools/line_numbering.h"
#include "codetools/logical_line.h"
#include "codetools/templates.h"
#include "sandbox/model/procedure_geometry.h"
#include "tests/codetools/memory_module.h"
#include "tests/codetools/memory_pane.h"

namespace qv::test {
namespace {

std::vector<ProcedureInfo> ProceduresOf(const std::vector<std::wstring>& lines) {
  std::vector<ProcedureInfo> procedures;
  for (const sbx::Procedure& p : sbx::ComputeGeometry(lines).procedures) {
    procedures.push_back({p.name, p.kind, p.start_line, p.body_line, p.count_lines});
  }
  return procedures;
}

ProcedureInfo Find(const std::vector<ProcedureInfo>& procedures, std::wstring_view name, long kind) {
  for (const ProcedureInfo& p : procedures) {
    if (p.name == name && p.kind == kind) return p;
  }
  throw std::invalid_argument("no such procedure");
}

std::wstring MemberType(const ModuleText& module, const ProcedureInfo& procedure) {
  std::wstring member_type;
  long kind = procedure.kind;
  GetProcName(module, procedure.body_line, kind, member_type);
  return member_type;
}

}  // namespace

std::vector<std::wstring> LinesOf(std::wstring_view text) {
  const ModuleText module{std::wstring(text)};
  std::vector<std::wstring> lines;
  for (long line = 1; line <= module.CountOfLines(); ++line) lines.emplace_back(module.Line(line));
  return lines;
}

ModuleText WithProcedures(std::wstring text) {
  ModuleText module(std::move(text));
  module.SetProcedures(ProceduresOf(LinesOf(module.Text())));
  return module;
}

ProcedureInfo Procedure(const ModuleText& module, std::wstring_view name, long kind) {
  return Find(module.procedures(), name, kind);
}

std::wstring ApplyHandlerEdits(const ModuleText& module, const ProcedureInfo& procedure,
                               const std::vector<HandlerEdit>& edits) {
  MemoryPane pane(module.Text());
  const long header_lines = GetLine(module, procedure.body_line).lines_after + 1;
  for (const HandlerEdit& edit : edits) {
    const ProcedureInfo now = Find(ProceduresOf(pane.lines()), procedure.name, procedure.kind);
    WriteHandlerEdit(pane, edit, now.body_line + header_lines, now.start_line + now.count_lines - 1);
  }
  return pane.Text();
}

std::wstring InsertHandler(const std::wstring& text, std::wstring_view procedure, std::wstring_view Template,
                           long kind) {
  const ModuleText before = WithProcedures(text);
  const ProcedureInfo target = Procedure(before, procedure, kind);
  const ErrorHandlerTemplate handler = SplitTemplate(Template);
  ModuleTemplateHost names(before);
  const auto edits = PlanErrorHandler(before, target, MemberType(before, target), handler, 4, names);
  if (!edits) return text;
  MemoryModule after(ApplyHandlerEdits(before, target, *edits));
  const ModuleText inserted = WithProcedures(after.Text());
  const NumberingRequest request{-1, 0, 0, handler.skip_list};
  if (handler.numbering) {
    if (const auto numbered = AddLineNumbers(inserted, Procedure(inserted, procedure, kind), request).edit) {
      after.Write(*numbered);
    }
  }
  return after.Text();
}

std::wstring DeleteHandler(const std::wstring& text, std::wstring_view procedure, long kind) {
  const ModuleText before = WithProcedures(text);
  const ProcedureInfo target = Procedure(before, procedure, kind);
  return ApplyHandlerEdits(before, target, PlanHandlerRemoval(before, target, MemberType(before, target), false).edits);
}

}  // namespace qv::test
