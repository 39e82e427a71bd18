#pragma once
// The procedure at the caret of the active code pane, as the tools that rewrite a procedure read it:
// the host's geometry, and the module's text read at once.
#include <optional>
#include <string>

#include "codetools/module_view.h"
#include "host/code_module.h"

namespace qv {

struct CaretProcedure {
  CodePane pane;
  CodeModule module;
  long caret_line = 0;
  ProcedureInfo procedure;
  std::wstring member_type;  // "Sub", "Function" or "Property"
  ModuleText text;           // the module, which knows this procedure
};

// The procedure at the caret; none without an active code pane or outside every procedure.
std::optional<CaretProcedure> ReadCaretProcedure();

}  // namespace qv
