#pragma once
// Enter in the code window: the typing tools of the line, then the block's closer or the comment's
// continuation written in place of the editor's own line break; after the editor, the numbering
// of the new lines.
#include <windows.h>

#include "addin/includes.h"

namespace qv {

// What happened before the editor saw the Enter.
struct EnterOutcome {
  long line = 0;  // the caret's line as Enter was pressed; 0 when it could not be read
  bool swallowed = false;
  bool closer_inserted = false;
};

// Runs before the editor; a swallowed Enter must not reach it. Each step that fails is recorded and
// the next runs. The automatic declarations keep to `includes`.
EnterOutcome BeforeEnter(HWND code_window, IncludeState& includes);

// Numbers the new lines when the caret's line carries a line number in column 1, and renumbers the
// numbered lines below.
void NumberAfterEnter(const EnterOutcome& outcome);

}  // namespace qv
