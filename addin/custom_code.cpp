#include "addin/custom_code.h"

#include <optional>
#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "codetools/logical_line.h"
#include "codetools/templates.h"

namespace qv {

void WriteCustomCode(const CodePane& pane, const CodeModule& module, long line, long indent) {
  const Settings& settings = State().settings;
  ActivePaneTemplateHost names;
  const std::wstring code = ExpandTemplate(settings.CustomCode, line, indent, settings.IndentWidth, names);
  const std::wstring blanks = RepeatString(L" ", indent);
  module.ReplaceLine(line, blanks + code);
  Selection caret{line, indent + 1, line, indent + 1};
  // Typed in front of the code's first statement, the body would prefix it and travel with every
  // block Enter completes.
  if (const std::optional<long> body = FirstEmptyLine(code); body && *body > 0) {
    caret.start_line = caret.end_line = line + *body;
    module.ReplaceLine(caret.start_line, blanks);
  }
  pane.SetSelection(caret);
}

}  // namespace qv
