#pragma once
// The code tools' stand-in for a host module in the portable tests, the benchmarks and the fuzz
// targets.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "codetools/module_view.h"

namespace qv {

// A module held in memory that takes edits, with a caret that follows the
// column shift as the host's selection would.
class MemoryModule : public CodeModuleView {
 public:
  MemoryModule() = default;
  explicit MemoryModule(std::wstring text) : text_(std::move(text)) {}

  long CountOfLines() const override { return text_.CountOfLines(); }
  std::wstring_view Line(long line) const override { return text_.Line(line); }
  long CountOfDeclarationLines() const override { return text_.CountOfDeclarationLines(); }
  std::wstring ProcOfLine(long line, long& kind) const override { return text_.ProcOfLine(line, kind); }
  long ProcBodyLine(std::wstring_view name, long kind) const override { return text_.ProcBodyLine(name, kind); }

  void Write(const CodeEdit& edit) {
    const long count = text_.CountOfLines();
    const long first = std::clamp(edit.first_line, 1L, count + 1);
    const long last = std::clamp(edit.last_line, first - 1, count);
    std::wstring joined;
    bool any = false;
    const auto add_line = [&](std::wstring_view piece) {
      if (any) joined += L"\r\n";
      joined += piece;
      any = true;
    };
    for (long line = 1; line < first; ++line) add_line(text_.Line(line));
    add_line(edit.text);
    for (long line = last + 1; line <= count; ++line) add_line(text_.Line(line));
    ModuleText next(std::move(joined));
    next.SetDeclarationLines(text_.CountOfDeclarationLines());
    next.SetProcedures(text_.procedures());
    text_ = std::move(next);
    caret_column_ = std::max(1L, caret_column_ + edit.column_shift);
    ++writes_;
  }

  void SetDeclarationLines(long count) { text_.SetDeclarationLines(count); }
  void SetProcedures(std::vector<ProcedureInfo> procedures) { text_.SetProcedures(std::move(procedures)); }

  const ModuleText& Snapshot() const { return text_; }
  std::wstring Text() const { return text_.Text(); }
  long writes() const { return writes_; }
  long caret_column() const { return caret_column_; }
  void set_caret_column(long column) { caret_column_ = column; }

 private:
  ModuleText text_;
  long writes_ = 0;
  long caret_column_ = 1;
};

}  // namespace qv
