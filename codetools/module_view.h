#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

// A read-only view of one code module: its physical lines (1-based), its
// declarations section and the host's procedure geometry. The code tools
// read only through it, so one snapshot of the module serves a whole run.
class CodeModuleView {
 public:
  virtual ~CodeModuleView() = default;

  virtual long CountOfLines() const = 0;
  // Physical line `line`; "" outside 1..CountOfLines.
  virtual std::wstring_view Line(long line) const = 0;
  virtual long CountOfDeclarationLines() const = 0;
  // The procedure that holds `line` and its kind (0 Sub or Function, 1 Let,
  // 2 Set, 3 Get); "" outside procedures, where kind is left alone.
  virtual std::wstring ProcOfLine(long line, long& kind) const = 0;
  // The header's first physical line; 0 for an unknown procedure.
  virtual long ProcBodyLine(std::wstring_view name, long kind) const = 0;
};

// The geometry of one procedure as the host reports it.
struct ProcedureInfo {
  std::wstring name;
  long kind = 0;
  long start_line = 0;   // first line that belongs to it (comments above the header)
  long body_line = 0;    // header
  long count_lines = 0;  // from start_line
};

// A snapshot of a module's text held in one buffer. The text is split at
// CR LF, lone CR and lone LF, as the host breaks lines; "" has no lines.
class ModuleText : public CodeModuleView {
 public:
  ModuleText() = default;
  explicit ModuleText(std::wstring text);

  long CountOfLines() const override { return static_cast<long>(lines_.size()); }
  std::wstring_view Line(long line) const override;
  long CountOfDeclarationLines() const override { return declaration_lines_; }
  std::wstring ProcOfLine(long line, long& kind) const override;
  long ProcBodyLine(std::wstring_view name, long kind) const override;

  void SetDeclarationLines(long count) { declaration_lines_ = count; }
  void SetProcedures(std::vector<ProcedureInfo> procedures) { procedures_ = std::move(procedures); }
  const std::vector<ProcedureInfo>& procedures() const { return procedures_; }
  // All lines joined by CR LF, without a final one.
  std::wstring Text() const;

 private:
  std::wstring text_;
  std::vector<std::pair<std::size_t, std::size_t>> lines_;  // offset, length
  long declaration_lines_ = 0;
  std::vector<ProcedureInfo> procedures_;
};

// One replacement of whole lines: lines first_line..last_line become `text`
// (lines joined by CR LF), and the caret moves column_shift columns.
struct CodeEdit {
  long first_line = 0;
  long last_line = 0;
  std::wstring text;
  long column_shift = 0;
};

}  // namespace qv
