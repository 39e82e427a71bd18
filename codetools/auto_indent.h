#pragma once

#include <optional>

#include "codetools/caret_line.h"
#include "codetools/module_view.h"
#include "codetools/code_pane_members.h"
#include "kit/settings.h"

namespace qv {

// Moves a line that closes or continues a block (End If, Else, Case 2, Loop,
// Next ...) to its opener's indentation, so that the new line Enter opens
// below starts at the right column too. A line number or label in column 1
// stays there. nullopt when the line is already right or is no such line.
std::optional<LineEdit> ReindentLine(const CaretLine& line, const CodeModuleView& module, const Settings& settings);

// On Enter (AtCaret: the line up to the caret): re-indents the caret's line in
// the pane.
void AutoIndentNewLine(bool AtCaret, const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings);

}  // namespace qv
