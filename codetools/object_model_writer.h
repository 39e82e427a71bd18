#pragma once

#include <string>

#include "codetools/indent_engine.h"
#include "codetools/module_view.h"

namespace qv {

// The members of the active code pane and its code module that writing an
// edit needs, as the host offers them.
class CodePaneMembers {
 public:
  virtual ~CodePaneMembers() = default;
  // ReplaceLine with CR LF in the code replaces one line by several.
  virtual void ReplaceLine(long line, const std::wstring& code) = 0;
  virtual void DeleteLines(long start_line, long count) = 0;
  virtual Selection GetSelection() = 0;
  virtual void SetSelection(const Selection& selection) = 0;
};

// Writes an edit through the code module's own members. The host's undo does
// not take such a write back; it stands in until edits are pasted as one
// undoable step.
class ObjectModelWriter : public CodeWriter {
 public:
  explicit ObjectModelWriter(CodePaneMembers& pane) : pane_(pane) {}
  void Write(const CodeEdit& edit) override;

 private:
  CodePaneMembers& pane_;
};

}  // namespace qv
