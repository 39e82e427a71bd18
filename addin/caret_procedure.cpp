#include "addin/caret_procedure.h"

#include "addin/connection.h"
#include "codetools/templates.h"
#include "host/host_code_pane.h"

namespace qv {

std::optional<CaretProcedure> ReadCaretProcedure() {
  const CodePane pane = VBInstance().ActiveCodePane();
  if (!pane) return std::nullopt;
  CaretProcedure at{pane, pane.CodeModule(), pane.GetSelection().start_line, {}, {}, {}};
  ProcedureInfo& procedure = at.procedure;
  procedure.name = at.module.ProcOfLine(at.caret_line, procedure.kind);
  if (procedure.name.empty()) return std::nullopt;
  procedure.body_line = at.module.ProcBodyLine(procedure.name, procedure.kind);
  procedure.start_line = at.module.ProcStartLine(procedure.name, procedure.kind);
  procedure.count_lines = at.module.ProcCountLines(procedure.name, procedure.kind);
  at.text = HostCodePane(pane).Snapshot();
  at.text.SetProcedures({procedure});
  long kind = procedure.kind;
  GetProcName(at.text, at.caret_line, kind, at.member_type);
  return at;
}

}  // namespace qv
