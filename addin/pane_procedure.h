#pragma once
// The procedure at a line of the active code pane, as the tools that rewrite a procedure read it:
// the host's geometry, and the module's text read at once.
#include <optional>
#include <string>

#include "codetools/module_view.h"
#include "host/code_module.h"

namespace qv {

struct PaneProcedure {
  CodePane pane;
  CodeModule module;
  long line = 0;  // the line asked for, or the caret's
  ProcedureInfo procedure;
  std::wstring member_type;  // "Sub", "Function" or "Property"
  ModuleText text;           // the module, which knows this procedure
};

// The procedure at `line`, 0 meaning the caret's line; none without an active code pane or outside
// every procedure.
std::optional<PaneProcedure> ReadPaneProcedure(long line);

}  // namespace qv
