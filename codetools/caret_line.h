#pragma once

#include <string>

#include "codetools/code_pane_members.h"
#include "codetools/module_view.h"
#include "codetools/selection.h"

namespace qv {

// Lines first_line..last_line become `text` (lines joined by CR LF), and the
// pane's selection becomes `selection`.
struct LineEdit {
  long first_line = 0;
  long last_line = 0;
  std::wstring text;
  Selection selection;
};

// Writes an edit through the code module's ReplaceLine and DeleteLines and
// sets the selection.
void WriteLineEdit(CodePaneMembers& pane, const LineEdit& edit);

// The logical line at the caret as the tools of Enter and the arrow keys read
// it. On Enter (at_caret) it is read up to the caret, and what stood right of
// the selection is set aside to follow the rewritten text.
struct CaretLine {
  bool at_caret = false;
  long first_line = 0;  // the logical line's first physical line
  long last_line = 0;   // the last one read: the caret's line on Enter
  long caret_line = 0;
  long caret_column = 1;
  std::wstring raw;   // physical lines first_line..last_line joined by CR LF
  std::wstring code;  // GetLine's code text of raw
  std::wstring rest;  // on Enter: the caret's line right of the selection, left-trimmed

  // The statement goes on below, and the tools leave it alone: on Enter the
  // text before the caret ends in "_" (blanks after it aside); on the arrow
  // keys the module ends in " _", with no line to join.
  bool Continues() const;
};

CaretLine ReadCaretLine(const CodeModuleView& module, const Selection& selection, bool at_caret);

// The edit that puts `text` in place of the line, followed by the text set
// aside. On Enter the caret goes right after `text`, where the Enter the
// editor handles next splits the line; otherwise it moves `shift` columns on
// its line, not below column 1.
LineEdit EditCaretLine(const CaretLine& line, std::wstring text, long shift);

}  // namespace qv
