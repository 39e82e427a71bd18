#include "codetools/caret_line.h"

#include <algorithm>

#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {

void WriteLineEdit(CodePaneMembers& pane, const LineEdit& edit) {
  // The whole span goes: replacing only its first line would leave the old
  // continuation lines below the new text.
  if (edit.last_line > edit.first_line) pane.DeleteLines(edit.first_line + 1, edit.last_line - edit.first_line);
  pane.ReplaceLine(edit.first_line, edit.text);
  pane.SetSelection(edit.selection);
}

bool CaretLine::Continues() const { return at_caret ? RTrimBlanks(raw).ends_with(L'_') : IsContinued(raw); }

CaretLine ReadCaretLine(const CodeModuleView& module, const Selection& selection, bool at_caret) {
  CaretLine line;
  line.at_caret = at_caret;
  line.caret_line = selection.start_line;
  line.caret_column = std::max(selection.start_column, 1L);
  LogicalLine logical = GetLine(module, line.caret_line, at_caret ? line.caret_column : 0);
  line.first_line = line.caret_line - logical.lines_before;
  line.last_line = line.caret_line + logical.lines_after;
  line.raw = std::move(logical.text);
  line.code = std::move(logical.code_text);
  if (at_caret) {
    // A selection over several lines loses nothing of this one: its end
    // column belongs to another line.
    const long from = selection.end_line == selection.start_line ? selection.end_column : line.caret_column;
    const std::wstring_view text = module.Line(line.caret_line);
    line.rest = LTrimBlanks(text.substr(std::min(static_cast<std::size_t>(std::max(from, 1L) - 1), text.size())));
  }
  return line;
}

LineEdit EditCaretLine(const CaretLine& line, std::wstring text, long shift) {
  long column = std::max(line.caret_column + shift, 1L);
  if (line.at_caret) {
    const std::size_t last_break = text.rfind(L'\n');
    column = static_cast<long>(text.size() - (last_break == std::wstring::npos ? 0 : last_break + 1)) + 1;
  }
  text += line.rest;
  return {line.first_line, line.last_line, std::move(text), {line.caret_line, column, line.caret_line, column}};
}

}  // namespace qv
