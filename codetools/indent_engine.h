#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/block_table.h"
#include "codetools/format_request.h"
#include "codetools/module_view.h"

namespace qv {

// The settings the indentation engine reads.
struct IndentSettings {
  long IndentWidth = 4;  // blanks per level; taken as 0 to kMaxIndent
};

// Deeper indentation is written at this many blanks: the host's lines hold
// at most 1023 characters, and an unbounded depth would only waste memory.
inline constexpr long kMaxIndent = 1024;

// The indentation engine over one snapshot of a module. It remembers what it
// has read and computed, so one engine serves one run; everything is computed
// without recursion, however deep the code or long the chains of labels.
// While Format runs, the lines it has already rewritten are read as rewritten.
class IndentEngine {
 public:
  IndentEngine(const CodeModuleView& module, const IndentSettings& settings);
  ~IndentEngine();
  IndentEngine(const IndentEngine&) = delete;
  IndentEngine& operator=(const IndentEngine&) = delete;

  // The indentation that the line after the logical line at `line` should
  // have; 0 for line 0.
  long GetPrevIndent(long line);
  // The indentation of a closing or middle statement (statement_index of the
  // logical line at `line`, of BlockTable row `row` and kind `kind`), taken
  // from its opener; default_indent when it has none.
  long GetSpacesCount(long default_indent, long line, long statement_index, int row, int kind);
  // The indentation that a line has now. raw_text and code_text are GetLine's
  // for it (the raw text may be cut at the caret); label receives the line
  // number or label it starts with, after its blanks.
  long GetLineIndent(long line, std::wstring_view raw_text, std::wstring_view code_text, std::wstring& label);

  // Re-indents whole logical lines: on command the selected ones; incrementally
  // from FormatStart down to the first line that is already right. Labels and
  // line numbers in column 1 stay there; continuation lines move with their
  // statement. Writes nothing: the result holds the new text.
  FormatResult Format(const FormatRequest& request);

 private:
  static constexpr std::int32_t kNoLine = -1;

  struct Statement {
    BlockMatch match;
    std::int8_t close_row = -1;  // FindBlock with Mode -1
    std::int8_t close_kind = 0;
    std::int8_t open_row = -1;      // FindBlock with Mode 1
    std::uint8_t opener_state = 0;  // 0 not searched, 1 none, 2 found
    std::uint32_t commas = 0;
    std::int32_t opener_line = 0;
    std::uint32_t opener_statement = 0;
  };

  struct Logical {
    long first = 0;
    long last = 0;
    std::uint32_t statement_begin = 0;
    std::uint32_t statement_count = 0;
    std::uint32_t slot_begin = 0;
    std::uint32_t label_length = 0;
    std::int32_t prev = kNoLine - 1;  // not looked up yet
    bool code_blank = true;
    // A lone "_" before another line: indented, it would join that line, so
    // it stays in column 1 and counts as standing at the block's indentation.
    bool bare_underscore = false;
  };

  // Logical line index by first physical line, in pages allocated on first use,
  // so that a run touching a few lines of a long module stays cheap.
  class PagedIndex {
   public:
    explicit PagedIndex(long count) : pages_(static_cast<std::size_t>(count >> kShift) + 1) {}
    std::int32_t Get(long line) const {
      const auto& page = pages_[static_cast<std::size_t>(line >> kShift)];
      return page ? page[static_cast<std::size_t>(line & kMask)] : 0;
    }
    void Set(long line, std::int32_t value) {
      auto& page = pages_[static_cast<std::size_t>(line >> kShift)];
      if (!page) page = std::make_unique<std::int32_t[]>(std::size_t{1} << kShift);
      page[static_cast<std::size_t>(line & kMask)] = value;
    }

   private:
    static constexpr int kShift = 10;
    static constexpr long kMask = (1L << kShift) - 1;
    std::vector<std::unique_ptr<std::int32_t[]>> pages_;
  };

  struct Node {
    std::int32_t line = 0;   // index into lines_
    std::uint32_t slot = 0;  // statements of that line already applied
    bool fresh = false;      // the line as this run has rewritten it
  };

  // The logical line whose first physical line is `first`, read on demand.
  std::int32_t LineAt(long first);
  long FirstOf(long line) const;
  std::int32_t Prev(std::int32_t line);
  std::int32_t Read(long first);
  // The opener (line, statement) of a closing or middle statement, searched
  // for its own row; false when it has none.
  bool OpenerOf(std::int32_t line, std::uint32_t statement, Node& opener);
  bool FindOpener(std::int32_t line, std::uint32_t before, int row, std::int64_t depth, Node& opener);
  bool Fresh(long first) const;
  std::wstring_view FirstPiece(std::int32_t line, bool fresh) const;

  std::int64_t Value(Node node);
  bool TryCompute(Node node, Node& missing, std::int64_t& value);
  std::int64_t CaseStep(const Statement& statement) const;
  std::int64_t Step(std::int64_t indent, std::int32_t line, std::uint32_t statement);
  std::int64_t& Slot(Node node);

  const CodeModuleView& module_;
  const BlockTable& table_;
  std::int64_t indent_width_;
  long count_;

  std::vector<Logical> lines_;
  std::vector<Statement> statements_;
  std::vector<std::int64_t> slots_;  // two per slot: as read, as rewritten
  std::unique_ptr<PagedIndex> index_;
  std::vector<Node> stack_;
  std::wstring joined_;
  std::wstring code_;
  std::wstring fold_;
  std::vector<std::wstring_view> pieces_;

  // The run's rewritten lines: FormatStart..FormatEnd are in FormatText.
  long format_start_ = 0;
  long format_end_ = 0;
  std::wstring format_text_;
  std::vector<std::pair<std::size_t, std::size_t>> fresh_lines_;  // offset, length per physical line
};

// One-off forms of the engine's operations for callers outside a run.
long GetPrevIndent(const CodeModuleView& module, const IndentSettings& settings, long line);
long GetSpacesCount(const CodeModuleView& module, const IndentSettings& settings, long default_indent, long line,
                    long statement_index, int row, int kind);
long GetLineIndent(const CodeModuleView& module, const IndentSettings& settings, long line, std::wstring_view raw_text,
                   std::wstring_view code_text, std::wstring& label);

// Appends the first physical line of a logical line (line, without " _" or
// with the lines below) to `out` at `indent`. Its label or line number of
// label_length characters stays in column 1 when it stands there or the line
// comes to column 1, with a blank at least before the statement; otherwise
// the whole line moves. A lone "_" stays in column 1. Gives how many columns
// the statement moved.
long AppendIndented(std::wstring& out, std::wstring_view line, std::size_t label_length, std::int64_t indent,
                    bool lone_underscore);

// Re-indents the selected lines, or incrementally from the line the caret
// left; the caller writes the result's edit. A failing run throws, and then
// nothing is to be written.
FormatResult Formatting(const CodeModuleView& module, const FormatRequest& request, const IndentSettings& settings);

}  // namespace qv
