#pragma once

#include <optional>

#include "codetools/caret_line.h"
#include "codetools/module_view.h"
#include "codetools/code_pane_members.h"
#include "kit/settings.h"

namespace qv {

// Rewrites a finished line into code the language accepts, first rule that
// applies:
// - " Then" after a block If or ElseIf that lacks it (AutoInsert_Then);
// - an apostrophe before "#Include", "#Region" and "#End Region" (AutoInsert_Comment);
// - per statement (AutoReplace): "x++" and "x--" (IncrementAndDecrement),
//   "Dim a As T = v, b = w" (InitializationWithDeclarate), "x += y" and the
//   other compound assignments (ComponentAssignment).
// Positions come from the code text, the output from the raw text, so string
// literals and comments come back as they were. nullopt when nothing changes.
std::optional<LineEdit> RewriteLine(const CaretLine& line, const Settings& settings);

// On Enter (AtCaret: the line up to the caret) and on the arrow and page keys
// (the whole logical line): rewrites the caret's line in the pane.
void ApplyLineAutoInsert(bool AtCaret, const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings);

}  // namespace qv
