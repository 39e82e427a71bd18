#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "codetools/module_view.h"
#include "codetools/code_pane_members.h"

namespace qv::test {

// A code pane and its module in memory, edited through the members the host
// offers the tools; each call that changes the text counts as a write.
class MemoryPane : public CodeModuleView, public CodePaneMembers {
 public:
  explicit MemoryPane(std::wstring_view text, Selection selection = {1, 1, 1, 1});

  long CountOfLines() const override { return static_cast<long>(lines_.size()); }
  std::wstring_view Line(long line) const override;
  long CountOfDeclarationLines() const override { return 0; }
  std::wstring ProcOfLine(long, long&) const override { return {}; }
  long ProcBodyLine(std::wstring_view, long) const override { return 0; }

  void ReplaceLine(long line, const std::wstring& code) override;
  void InsertLines(long line, const std::wstring& code) override;
  void DeleteLines(long start_line, long count) override;
  Selection GetSelection() override { return selection_; }
  void SetSelection(const Selection& selection) override { selection_ = selection; }

  std::wstring Text() const;
  const std::vector<std::wstring>& lines() const { return lines_; }
  int writes() const { return writes_; }

 private:
  std::vector<std::wstring> lines_;
  Selection selection_;
  int writes_ = 0;
};

}  // namespace qv::test
