#pragma once
// The custom code the user keeps for a new procedure, written into its body.
#include "host/code_module.h"

namespace qv {

// Line `line` of `module` becomes `indent` blanks and the expanded CustomCode, whose later lines
// start at the indentation its line breaks give. The caret goes where the body is typed: the first
// line of blanks only of the inserted code, at `indent`; without one, before the code.
void WriteCustomCode(const CodePane& pane, const CodeModule& module, long line, long indent);

}  // namespace qv
