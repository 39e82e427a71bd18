#pragma once
// Where a procedure's body lies, for the tools that rewrite it. The host's extent bounds every
// search: it ends at ProcStartLine + ProcCountLines - 1, whereas the header's line plus the count
// would reach into the next procedure by the comments and blank lines above the header.
#include <string_view>

#include "codetools/module_view.h"

namespace qv {

struct ProcedureBody {
  long declaration = 0;  // the header's first line
  long first_line = 0;   // the first line below the header and its continuation lines
  long last_line = 0;    // the procedure's last line as the host counts it
  long end_line = 0;     // the End line's first line, found upward from last_line; 0 when none

  // Whether the procedure has a line of its own below its header: "Sub A(): End Sub" has none, nor
  // has a header continued on the module's last line.
  bool HasBody() const { return first_line <= last_line && end_line != declaration; }
};

// Whether a logical line's code text ends a procedure: "End Sub", "End Function" or "End Property",
// after whatever stands before it on the line.
bool IsEndLine(std::wstring_view code_text);

ProcedureBody ReadBody(const CodeModuleView& module, const ProcedureInfo& procedure);

}  // namespace qv
