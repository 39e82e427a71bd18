#pragma once
// A code pane of the host as the code tools write to it, with its module as they read it.
#include <string>

#include "codetools/code_pane_members.h"
#include "codetools/module_view.h"
#include "host/code_module.h"

namespace qv {

class HostCodePane : public CodePaneMembers {
 public:
  explicit HostCodePane(CodePane pane) : pane_(std::move(pane)), module_(pane_.CodeModule()) {}

  // The whole module, read at once.
  ModuleText Snapshot() const;
  void ReplaceLine(long line, const std::wstring& code) override { module_.ReplaceLine(line, code); }
  void InsertLines(long line, const std::wstring& code) override { module_.InsertLines(line, code); }
  void DeleteLines(long start_line, long count) override { module_.DeleteLines(start_line, count); }
  Selection GetSelection() override { return pane_.GetSelection(); }
  void SetSelection(const Selection& selection) override { pane_.SetSelection(selection); }

 private:
  CodePane pane_;
  CodeModule module_;
};

}  // namespace qv
