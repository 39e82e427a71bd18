#pragma once

#include <string>

#include "codetools/selection.h"

namespace qv {

// The members of the active code pane and its code module that writing an
// edit needs, as the host offers them.
class CodePaneMembers {
 public:
  virtual ~CodePaneMembers() = default;
  // ReplaceLine with CR LF in the code replaces one line by several.
  virtual void ReplaceLine(long line, const std::wstring& code) = 0;
  // Before `line`; CountOfLines + 1 appends.
  virtual void InsertLines(long line, const std::wstring& code) = 0;
  virtual void DeleteLines(long start_line, long count) = 0;
  virtual Selection GetSelection() = 0;
  virtual void SetSelection(const Selection& selection) = 0;
};

}  // namespace qv
