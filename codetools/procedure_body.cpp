#include "codetools/procedure_body.h"

#include <algorithm>

#include "codetools/block_table.h"
#include "codetools/logical_line.h"

namespace qv {

bool IsEndLine(std::wstring_view code_text) {
  static const PatternList kEndLines(L"*end sub,*end function,*end property");
  return kEndLines.Matches(code_text);
}

ProcedureBody ReadBody(const CodeModuleView& module, const ProcedureInfo& procedure) {
  ProcedureBody body;
  body.declaration = procedure.body_line;
  const LogicalLine header = GetLine(module, body.declaration);
  body.first_line = body.declaration + header.lines_after + 1;
  body.last_line = std::min(procedure.start_line + procedure.count_lines - 1, module.CountOfLines());
  // A procedure of one line ends on its header.
  if (IsEndLine(header.code_text)) {
    body.end_line = body.declaration;
    return body;
  }
  for (long line = body.last_line; line >= body.first_line;) {
    const LogicalLine logical = GetLine(module, line);
    const long first = line - logical.lines_before;
    if (IsEndLine(logical.code_text)) {
      body.end_line = first;
      break;
    }
    line = first - 1;
  }
  return body;
}

}  // namespace qv
