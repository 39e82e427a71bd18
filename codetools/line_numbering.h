#pragma once
// Line numbers in front of the statements of a procedure: numbering from a start in steps,
// renumbering what carries a number, and taking the numbers off. One snapshot in, one edit out,
// which the host glue pastes as one undo step.
#include <cstdint>
#include <optional>
#include <string_view>

#include "codetools/module_view.h"

namespace qv {

struct NumberingRequest {
  // -1: the whole body, from NumerationStart. Otherwise from StartNumber over the lines FirstLine
  // up to the one before LastLine; LastLine 0 reaches the End line and renumbers only the lines
  // that carry a number.
  std::int64_t StartNumber = -1;
  long FirstLine = 0;
  long LastLine = 0;
  bool UseSkipList = false;
  std::int64_t NumerationStart = 10;
  std::int64_t NumerationStep = 10;
  long caret_line = 0;
};

struct NumberingResult {
  // The start and step give no increasing numbers of at most 32 bits, or the numbers would run
  // past them: there is nothing to write.
  bool refused = false;
  // The statement at the caret received a number.
  bool caret_numbered = false;
  // The changed lines, with how far the caret's statement moved right; none when nothing changed.
  std::optional<CodeEdit> edit;
};

// Numbers the statements; a line that lost its number keeps its statement's column. A line that a
// jump of the procedure names keeps a number, and the jumps, the End line's too, follow the lines
// they name. Compiler directive lines take no number.
NumberingResult AddLineNumbers(const CodeModuleView& module, const ProcedureInfo& procedure,
                               const NumberingRequest& request);

// Blanks every line number of the body; none when it carries no number.
std::optional<CodeEdit> RemoveLineNumbers(const CodeModuleView& module, const ProcedureInfo& procedure);

// Whether a statement line stays without a number: with the skip list in force, when each of its
// statements is a declaration without New, a block's end, an Exit, On Error, Resume or Else.
bool SkipLineNumber(std::wstring_view Code, bool UseSkipList);

}  // namespace qv
