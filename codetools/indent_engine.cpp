#include "codetools/indent_engine.h"

#include <algorithm>
#include <limits>

#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr std::int64_t kUnknown = std::numeric_limits<std::int64_t>::min();

long ToLong(std::int64_t value) {
  return static_cast<long>(
      std::clamp<std::int64_t>(value, std::numeric_limits<long>::min(), std::numeric_limits<long>::max()));
}

std::int64_t ClampIndent(std::int64_t indent) { return std::clamp<std::int64_t>(indent, 0, kMaxIndent); }

// Where a line stands by its first piece: at its own blanks, or, when its
// label or line number is in column 1 with the statement close behind, or it
// is a lone "_", at the block's indentation unless that lies past the
// statement's column.
struct Stand {
  std::optional<std::int64_t> own;  // from the text alone
  std::int64_t word = 0;
  std::int64_t position = 0;
  bool code_blank = false;

  // Where the line stands given the block's indentation.
  std::int64_t Given(std::int64_t computed) const {
    computed = ClampIndent(computed);
    return computed <= word + 1 || code_blank ? computed : position;
  }
};

Stand StandOf(std::wstring_view piece, std::size_t label_length, bool lone_underscore, bool code_blank) {
  Stand stand;
  stand.code_blank = code_blank;
  if (lone_underscore) {
    stand.word = kMaxIndent;  // takes the block's indentation
    return stand;
  }
  const std::size_t blanks = LeadingBlanks(piece);
  if (blanks > 0 || piece.empty() || label_length == 0) {
    stand.own = static_cast<std::int64_t>(blanks);
    return stand;
  }
  stand.word = static_cast<std::int64_t>(label_length);
  stand.position = static_cast<std::int64_t>(std::min(piece.find_first_not_of(L' ', label_length), piece.size()));
  if (stand.position >= stand.word + 2) stand.own = stand.position;
  return stand;
}

bool IsBlank(std::wstring_view code) { return code.find_first_not_of(L' ') == std::wstring_view::npos; }

}  // namespace

std::optional<CodeEdit> FormatResult::Edit() const {
  if (FormatText.empty()) return std::nullopt;
  return CodeEdit{FormatStart, last_line, FormatText, column_shift};
}

IndentEngine::IndentEngine(const CodeModuleView& module, const IndentSettings& settings)
    : module_(module),
      table_(GetBlockTable()),
      indent_width_(std::clamp<std::int64_t>(settings.IndentWidth, 0, kMaxIndent)),
      count_(std::max(module.CountOfLines(), 0L)),
      index_(std::make_unique<PagedIndex>(count_)) {}

IndentEngine::~IndentEngine() = default;

long IndentEngine::FirstOf(long line) const {
  while (line > 1 && IsContinued(module_.Line(line - 1))) --line;
  return line;
}

std::int32_t IndentEngine::LineAt(long first) {
  const std::int32_t known = index_->Get(first);
  return known != 0 ? known - 1 : Read(first);
}

std::int32_t IndentEngine::Read(long first) {
  long last = first;
  while (last < count_ && IsContinued(module_.Line(last))) ++last;
  std::wstring_view raw = module_.Line(first);
  if (last > first) {
    joined_.assign(raw);
    for (long line = first + 1; line <= last; ++line) {
      joined_ += L"\r\n";
      joined_ += module_.Line(line);
    }
    raw = joined_;
  }
  PrepareCodeText(raw, code_);
  SplitStatements(code_, pieces_);

  Logical logical;
  logical.first = first;
  logical.last = last;
  logical.statement_begin = static_cast<std::uint32_t>(statements_.size());
  logical.statement_count = static_cast<std::uint32_t>(pieces_.size());
  logical.slot_begin = static_cast<std::uint32_t>(slots_.size() / 2);
  logical.code_blank = IsBlank(code_);
  std::wstring_view piece = module_.Line(first);
  if (last > first) piece.remove_suffix(2);
  logical.label_length = static_cast<std::uint32_t>(LabelLength(piece, code_));
  logical.bare_underscore = IsLoneUnderscore(module_.Line(first), first, count_);

  for (const std::wstring_view text : pieces_) {
    Statement statement;
    statement.match = table_.Classify(text);
    int kind = 0;
    statement.close_row = static_cast<std::int8_t>(statement.match.Find(-1, kind));
    statement.close_kind = static_cast<std::int8_t>(kind);
    statement.open_row = static_cast<std::int8_t>(statement.match.Find(1, kind));
    statement.commas = static_cast<std::uint32_t>(std::count(text.begin(), text.end(), L','));
    statements_.push_back(statement);
  }
  slots_.resize(slots_.size() + 2 * (pieces_.size() + 1), kUnknown);
  lines_.push_back(logical);
  const auto index = static_cast<std::int32_t>(lines_.size() - 1);
  index_->Set(first, index + 1);
  return index;
}

std::int32_t IndentEngine::Prev(std::int32_t line) {
  if (lines_[static_cast<std::size_t>(line)].prev >= kNoLine) return lines_[static_cast<std::size_t>(line)].prev;
  const long first = lines_[static_cast<std::size_t>(line)].first;
  const std::int32_t prev = first > 1 ? LineAt(FirstOf(first - 1)) : kNoLine;
  lines_[static_cast<std::size_t>(line)].prev = prev;
  return prev;
}

bool IndentEngine::OpenerOf(std::int32_t line, std::uint32_t statement, Node& opener) {
  const std::size_t at = lines_[static_cast<std::size_t>(line)].statement_begin + statement;
  const Statement own = statements_[at];
  if (own.opener_state == 0) {
    const std::int64_t depth = own.close_row == BlockTable::kForRow ? own.commas : 0;
    const bool found = FindOpener(line, statement, own.close_row, depth, opener);
    Statement& memo = statements_[at];
    memo.opener_state = found ? 2 : 1;
    memo.opener_line = opener.line;
    memo.opener_statement = opener.slot;
    return found;
  }
  opener = {own.opener_line, own.opener_statement, false};
  opener.fresh = Fresh(lines_[static_cast<std::size_t>(opener.line)].first);
  return own.opener_state == 2;
}

// Upward over the statements before `before` of `line`, then over earlier
// lines, counting the row's closers against its openers. A closer or middle
// whose own opener is already known is stepped over to that opener.
bool IndentEngine::FindOpener(std::int32_t line, std::uint32_t before, int row, std::int64_t depth, Node& opener) {
  const auto bit = static_cast<std::uint16_t>(1u << row);
  std::int32_t current = line;
  std::uint32_t next = before;
  for (;;) {
    while (next > 0) {
      --next;
      const Statement st = statements_[lines_[static_cast<std::size_t>(current)].statement_begin + next];
      const bool known = st.close_row == row && st.opener_state != 0;
      if (st.match.opening & bit) {
        if (depth == 0) {
          opener = {current, next, Fresh(lines_[static_cast<std::size_t>(current)].first)};
          return true;
        }
        --depth;
      } else if (st.match.closing & bit) {
        if (!known) {
          depth += 1 + (row == BlockTable::kForRow ? st.commas : 0);
          continue;
        }
        if (st.opener_state == 1) return false;
        ++depth;  // its opener, met next, takes it off again
        current = st.opener_line;
        next = st.opener_statement + 1;
      } else if ((st.match.middle & bit) && known) {
        if (st.opener_state == 1) return false;
        current = st.opener_line;
        next = st.opener_statement + 1;
      }
    }
    current = Prev(current);
    if (current == kNoLine) return false;
    next = lines_[static_cast<std::size_t>(current)].statement_count;
  }
}

bool IndentEngine::Fresh(long first) const {
  return !format_text_.empty() && format_end_ != 0 && first >= format_start_ && first <= format_end_;
}

std::wstring_view IndentEngine::FirstPiece(std::int32_t line, bool fresh) const {
  const Logical& logical = lines_[static_cast<std::size_t>(line)];
  std::wstring_view piece;
  if (fresh) {
    const auto [offset, length] = fresh_lines_[static_cast<std::size_t>(logical.first - format_start_)];
    piece = std::wstring_view(format_text_).substr(offset, length);
  } else {
    piece = module_.Line(logical.first);
  }
  if (logical.last > logical.first) piece.remove_suffix(2);
  return piece;
}

std::int64_t IndentEngine::CaseStep(const Statement& statement) const {
  return statement.close_row == BlockTable::kSelectRow && statement.close_kind == kMiddle ? indent_width_ : 0;
}

std::int64_t& IndentEngine::Slot(Node node) {
  const std::size_t slot = lines_[static_cast<std::size_t>(node.line)].slot_begin + node.slot;
  return slots_[2 * slot + (node.fresh ? 1 : 0)];
}

// Slot 0 of a line is its own indentation; slot i the indentation after its
// first i statements; the last slot is what the next line takes.
bool IndentEngine::TryCompute(Node node, Node& missing, std::int64_t& value) {
  const Logical logical = lines_[static_cast<std::size_t>(node.line)];
  if (node.slot == 0) {
    const Stand stand =
        StandOf(FirstPiece(node.line, node.fresh), logical.label_length, logical.bare_underscore, logical.code_blank);
    if (stand.own) {
      value = *stand.own;
      return true;
    }
    std::int64_t computed = 0;
    const std::int32_t prev = Prev(node.line);
    if (prev != kNoLine) {
      const Logical& above = lines_[static_cast<std::size_t>(prev)];
      // A line as read stands by the lines above as read: a label alone on its
      // line must not look right because the run has moved the line above it.
      const Node after_prev{prev, above.statement_count, node.fresh && Fresh(above.first)};
      if ((computed = Slot(after_prev)) == kUnknown) {
        missing = after_prev;
        return false;
      }
    }
    Node opener;
    if (logical.statement_count > 0 && statements_[logical.statement_begin].close_row >= 0 &&
        OpenerOf(node.line, 0, opener)) {
      if ((computed = Slot(opener)) == kUnknown) {
        missing = opener;
        return false;
      }
      computed += CaseStep(statements_[logical.statement_begin]);
    }
    value = stand.Given(computed);
    return true;
  }
  const Node before{node.line, node.slot - 1, node.fresh};
  std::int64_t indent = Slot(before);
  if (indent == kUnknown) {
    missing = before;
    return false;
  }
  const Statement statement = statements_[logical.statement_begin + node.slot - 1];
  Node opener;
  if (statement.close_row >= 0 && OpenerOf(node.line, node.slot - 1, opener)) {
    if ((indent = Slot(opener)) == kUnknown) {
      missing = opener;
      return false;
    }
    indent += CaseStep(statement);
  }
  if (statement.open_row >= 0) indent += indent_width_;
  value = indent;
  return true;
}

std::int64_t IndentEngine::Value(Node target) {
  if (Slot(target) != kUnknown) return Slot(target);
  stack_.clear();
  stack_.push_back(target);
  while (!stack_.empty()) {
    const Node node = stack_.back();
    if (Slot(node) != kUnknown) {
      stack_.pop_back();
      continue;
    }
    Node missing{};
    std::int64_t value = 0;
    if (TryCompute(node, missing, value)) {
      Slot(node) = value;
      stack_.pop_back();
    } else {
      stack_.push_back(missing);
    }
  }
  return Slot(target);
}

std::int64_t IndentEngine::Step(std::int64_t indent, std::int32_t line, std::uint32_t statement) {
  const Statement own = statements_[lines_[static_cast<std::size_t>(line)].statement_begin + statement];
  Node opener;
  if (own.close_row >= 0 && OpenerOf(line, statement, opener)) indent = Value(opener) + CaseStep(own);
  if (own.open_row >= 0) indent += indent_width_;
  return indent;
}

long IndentEngine::GetPrevIndent(long line) {
  if (line < 1 || line > count_) return 0;
  const std::int32_t logical = LineAt(FirstOf(line));
  return ToLong(Value({logical, lines_[static_cast<std::size_t>(logical)].statement_count, false}));
}

long IndentEngine::GetSpacesCount(long default_indent, long line, long statement_index, int row, int kind) {
  if (line < 1 || line > count_ || row < 0 || row >= BlockTable::kRows) return default_indent;
  const std::int32_t logical = LineAt(FirstOf(line));
  const Logical info = lines_[static_cast<std::size_t>(logical)];
  const auto index = static_cast<std::uint32_t>(
      std::clamp<std::int64_t>(statement_index, 0, static_cast<std::int64_t>(info.statement_count)));
  Node opener;
  bool found;
  if (index < info.statement_count && statements_[info.statement_begin + index].close_row == row) {
    found = OpenerOf(logical, index, opener);
  } else {
    const std::int64_t depth = row == BlockTable::kForRow && index < info.statement_count
                                   ? statements_[info.statement_begin + index].commas
                                   : 0;
    found = FindOpener(logical, index, row, depth, opener);
  }
  if (!found) return default_indent;
  const std::int64_t step = row == BlockTable::kSelectRow && kind == kMiddle ? indent_width_ : 0;
  return ToLong(Value(opener) + step);
}

long IndentEngine::GetLineIndent(long line, std::wstring_view raw_text, std::wstring_view code_text,
                                 std::wstring& label) {
  std::wstring_view piece = raw_text.substr(0, raw_text.find(L"\r\n"));
  const bool continued = piece.size() < raw_text.size();
  if (continued && IsContinued(piece)) piece.remove_suffix(2);
  const std::size_t label_length = LabelLength(piece, code_text);
  label.assign(piece.substr(LeadingBlanks(piece), label_length));
  const Stand stand = StandOf(piece, label_length, IsLoneUnderscore(raw_text, line, count_), IsBlank(code_text));
  if (stand.own) return ToLong(*stand.own);
  const long first = line >= 1 && line <= count_ ? FirstOf(line) : line;
  std::int64_t computed = GetPrevIndent(first - 1);
  const std::vector<std::wstring_view> statements = SplitStatements(code_text);
  int kind = 0;
  const int row = statements.empty() ? -1 : FindBlock(statements.front(), -1, kind);
  if (row >= 0) computed = GetSpacesCount(ToLong(computed), first, 0, row, kind);
  return ToLong(stand.Given(computed));
}

long GetPrevIndent(const CodeModuleView& module, const IndentSettings& settings, long line) {
  return IndentEngine(module, settings).GetPrevIndent(line);
}

long GetSpacesCount(const CodeModuleView& module, const IndentSettings& settings, long default_indent, long line,
                    long statement_index, int row, int kind) {
  return IndentEngine(module, settings).GetSpacesCount(default_indent, line, statement_index, row, kind);
}

long GetLineIndent(const CodeModuleView& module, const IndentSettings& settings, long line, std::wstring_view raw_text,
                   std::wstring_view code_text, std::wstring& label) {
  return IndentEngine(module, settings).GetLineIndent(line, raw_text, code_text, label);
}

}  // namespace qv
