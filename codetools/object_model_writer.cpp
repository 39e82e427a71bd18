#include "codetools/object_model_writer.h"

#include <algorithm>

namespace qv {

void ObjectModelWriter::Write(const CodeEdit& edit) {
  Selection selection = pane_.GetSelection();
  // The whole span goes: replacing only its first line would leave the old
  // continuation lines below the new text.
  if (edit.last_line > edit.first_line) pane_.DeleteLines(edit.first_line + 1, edit.last_line - edit.first_line);
  pane_.ReplaceLine(edit.first_line, edit.text);
  selection.start_column = std::max(1L, selection.start_column + edit.column_shift);
  selection.end_column = std::max(1L, selection.end_column + edit.column_shift);
  pane_.SetSelection(selection);
}

}  // namespace qv
