#include "addin/error_handlers.h"

#include <vector>

#include "addin/addin_state.h"
#include "addin/caret_procedure.h"
#include "addin/code_pane.h"
#include "addin/line_numbering.h"
#include "codetools/error_handlers.h"
#include "codetools/procedure_body.h"
#include "host/host_code_pane.h"
#include "win/failure_log.h"

namespace qv {
namespace {

// Each edit finds its place in the procedure as the host reports it after the edits before it.
void Apply(const CaretProcedure& at, const std::vector<HandlerEdit>& edits) {
  const ProcedureInfo& procedure = at.procedure;
  const ProcedureBody body = ReadBody(at.text, procedure);
  const long header_lines = body.first_line - body.declaration;
  HostCodePane pane(at.pane);
  for (const HandlerEdit& edit : edits) {
    const CodeModule& module = at.module;
    WriteHandlerEdit(pane, edit, module.ProcBodyLine(procedure.name, procedure.kind) + header_lines,
                     module.ProcStartLine(procedure.name, procedure.kind) +
                         module.ProcCountLines(procedure.name, procedure.kind) - 1);
  }
}

}  // namespace

void AddErrorHandler(const std::wstring& Template) {
  Guarded(L"AddErrorHandler", [&] {
    const std::optional<CaretProcedure> at = ReadCaretProcedure();
    if (!at) return;
    const ErrorHandlerTemplate handler = SplitTemplate(Template);
    ActivePaneTemplateHost names;
    const std::optional<std::vector<HandlerEdit>> edits =
        PlanErrorHandler(at->text, at->procedure, at->member_type, handler, State().settings.IndentWidth, names);
    if (!edits) return;
    Apply(*at, *edits);
    if (handler.numbering) AddLineNumbers(-1, 0, 0, false, handler.skip_list);
  });
}

void DeleteErrorHandler() {
  Guarded(L"DeleteErrorHandler", [&] {
    const std::optional<CaretProcedure> at = ReadCaretProcedure();
    if (!at) return;
    Apply(*at, PlanHandlerRemoval(at->text, at->procedure, at->member_type, false).edits);
  });
}

}  // namespace qv
