#pragma once
// What Enter does at the caret of a code pane beyond splitting the line: complete the block the line
// opens with its closer, or continue a comment block. Planned over a view of the module; the host
// glue writes the plan and reads nothing else.
#include <string>
#include <string_view>

#include "codetools/module_view.h"
#include "codetools/selection.h"
#include "kit/settings.h"

namespace qv {

struct EnterPlan {
  // False: nothing to write, the editor handles Enter itself.
  bool swallow = false;
  // Line `line` (the caret's) becomes `text`: lines joined by CR LF, the first being the caret's
  // line up to the caret, unchanged.
  long line = 0;
  std::wstring text;
  // The caret after the write: the start of the new line's text.
  Selection caret;
  // A closer line was added below the new line.
  bool closer_inserted = false;
  // The new line (caret.start_line) then takes the expanded CustomCode at the caret's indentation; the
  // glue expands it after the write, when the module shows the procedure it names.
  bool custom_code = false;
};

// Whether the text left of `column` on this physical line, blanks trimmed, ends with "_": the
// statement goes on below and Enter is left to the editor.
bool ContinuedAtCaret(std::wstring_view line_text, long column);

// The plan for Enter with the caret at (line, column) of `module`, any selection already gone; `rest`
// is what stood right of the caret, without its leading blanks, and follows the new line's indent.
EnterPlan PlanEnter(const CodeModuleView& module, long line, long column, std::wstring_view rest,
                    const Settings& settings);

}  // namespace qv
