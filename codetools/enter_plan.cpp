#include "codetools/enter_plan.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codetools/block_table.h"
#include "codetools/indent_engine.h"
#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr std::wstring_view kBreak = L"\r\n";

// How many characters of `text` stand left of `column`.
std::size_t LeftOf(std::wstring_view text, long column) {
  return column <= 1 ? 0 : std::min(static_cast<std::size_t>(column - 1), text.size());
}

void AppendBlanks(std::wstring& text, std::int64_t count) {
  text.append(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, kMaxIndent)), L' ');
}

// Whether the caret stands inside a string literal: Enter would cut the literal in two, and the
// statement before the caret is not whole. The code text then ends at the literal's opening quote.
bool EndsInString(const LogicalLine& logical) {
  const std::size_t end = logical.code_text.size();
  return end < logical.text.size() && logical.text[end] == L'"';
}

// A commented-out directive such as '#If or '#Include, which stays one line.
bool IsDirectiveComment(std::wstring_view trimmed) {
  return trimmed.size() >= 3 && trimmed.starts_with(L"'#") && trimmed[2] >= L'A' && trimmed[2] <= L'z';
}

struct Opener {
  int row = -1;
  std::wstring text;
  std::int64_t indent = 0;
};

// The first opening or middle statement of the line that the line itself does not close again.
Opener FindOpener(IndentEngine& engine, long first, std::wstring_view code, std::int64_t indent, std::int64_t width) {
  Opener opener;
  const std::vector<std::wstring_view> statements = SplitStatements(code);
  for (std::size_t i = 0; i < statements.size(); ++i) {
    std::wstring text = TrimBlanks(statements[i]);
    int kind = 0;
    if (const int row = FindBlock(text, 1, kind); row >= 0) {
      if (opener.row < 0) opener = {row, std::move(text), indent};
      indent += width;
    } else if (const int closing = FindBlock(text, -1, kind); closing >= 0) {
      if (closing == opener.row) {
        opener.row = -1;
        indent = opener.indent;
      } else {
        indent = engine.GetSpacesCount(static_cast<long>(std::clamp<std::int64_t>(indent, 0, kMaxIndent)), first,
                                       static_cast<long>(i), closing, kind);
      }
    }
  }
  return opener;
}

// Whether a statement below `from` closes the opener, counting the constructs of its row nested in
// between. A statement line indented less than the opener ends the search; blank and comment lines
// never do.
bool IsClosed(IndentEngine& engine, const CodeModuleView& module, long from, const Opener& opener) {
  const BlockTable& table = GetBlockTable();
  const PatternList closing(table.Cell(opener.row, 1));
  const PatternList opening(table.Cell(opener.row, 0));
  const long count = module.CountOfLines();
  std::int64_t depth = 0;
  std::vector<std::wstring_view> statements;
  std::wstring label;
  for (long line = from; line >= 1 && line <= count;) {
    const LogicalLine logical = GetLine(module, line);
    if (logical.code_text.find_first_not_of(L' ') != std::wstring::npos) {
      if (engine.GetLineIndent(line, logical.text, logical.code_text, label) < opener.indent) return false;
      SplitStatements(logical.code_text, statements);
      for (const std::wstring_view statement : statements) {
        const std::wstring text = TrimBlanks(statement);
        if (closing.Matches(text)) {
          // "Next j, i" closes one loop per name.
          const std::int64_t closes =
              opener.row == BlockTable::kForRow ? std::count(text.begin(), text.end(), L',') + 1 : 1;
          if (closes > depth) return true;
          depth -= closes;
        } else if (opening.Matches(text)) {
          ++depth;
        }
      }
    }
    line += logical.lines_after + 1;
  }
  return false;
}

// The first closing pattern of a row as text: "[#]End If" gives "#End If".
std::wstring CloserText(std::wstring_view patterns) {
  std::wstring text;
  for (const wchar_t c : patterns.substr(0, patterns.find(L','))) {
    if (c != L'[' && c != L']' && c != L'*') text += c;
  }
  return text;
}

// The line that continues a comment block below `cur`: the mark, the blanks after it and the
// comment's trailing blanks, then the rest, or "." that ends the block.
bool ContinueComment(std::wstring_view cur, std::wstring_view raw, std::int64_t base, std::wstring_view rest,
                     EnterPlan& plan) {
  const std::wstring cur_trimmed = TrimBlanks(cur);
  const std::wstring trimmed = TrimBlanks(raw);
  if (!cur_trimmed.starts_with(L'\'') || IsDirectiveComment(cur_trimmed) || trimmed.ends_with(L'.')) return false;
  const std::wstring_view mark = trimmed.starts_with(L"'#") ? L"'#" : L"'";
  const std::wstring_view after = raw.substr(std::min(LeadingBlanks(raw) + mark.size(), raw.size()));
  const std::size_t blanks =
      after.size() - LTrimBlanks(std::wstring_view(trimmed).substr(std::min(mark.size(), trimmed.size()))).size();
  plan.text.assign(cur).append(kBreak);
  const std::size_t start = plan.text.size();
  AppendBlanks(plan.text, base);
  plan.text.append(mark).append(blanks, L' ');
  const long column = static_cast<long>(plan.text.size() - start) + 1;
  plan.text += TrimBlanks(rest).empty() ? std::wstring_view(L".") : rest;
  plan.caret = {plan.line + 1, column, plan.line + 1, column};
  return true;
}

}  // namespace

bool ContinuedAtCaret(std::wstring_view line_text, long column) {
  const std::wstring_view left = line_text.substr(0, LeftOf(line_text, column));
  const std::size_t last = left.find_last_not_of(L' ');
  return last != std::wstring_view::npos && left[last] == L'_';
}

EnterPlan PlanEnter(const CodeModuleView& module, long line, long column, std::wstring_view rest,
                    const Settings& settings) {
  EnterPlan plan;
  if (!settings.AutoInsert || line < 1 || line > module.CountOfLines()) return plan;
  const std::wstring_view physical = module.Line(line);
  const std::wstring_view cur = physical.substr(0, LeftOf(physical, column));
  if (ContinuedAtCaret(physical, column)) return plan;
  const LogicalLine logical = GetLine(module, line, static_cast<long>(cur.size()) + 1);
  if (EndsInString(logical)) return plan;

  const long first = line - logical.lines_before;
  const std::int64_t width = std::clamp<std::int64_t>(settings.IndentWidth, 0, kMaxIndent);
  IndentEngine engine(module, IndentSettings{static_cast<long>(width)});
  std::wstring label;
  const std::int64_t base = engine.GetLineIndent(first, logical.text, logical.code_text, label);
  const Opener opener = FindOpener(engine, first, logical.code_text, base, width);
  plan.line = line;
  if (settings.AutoInsert_Comment && ContinueComment(cur, logical.text, base, rest, plan)) {
    plan.swallow = true;
    return plan;
  }
  // A line that goes on below the caret is not finished: a closer would land inside it.
  if (opener.row < 0 || IsContinued(physical)) return plan;

  const bool searched = (settings.AutoInsert_EndConstructions || opener.row >= BlockTable::kProcedureRows) &&
                        !LikePatterns(opener.text, L"case *");
  const bool closed = !searched || IsClosed(engine, module, line + 1, opener);
  plan.swallow = true;
  plan.text.assign(cur).append(kBreak);
  const std::size_t start = plan.text.size();
  AppendBlanks(plan.text, opener.indent + (settings.AutoIndent ? width : 0));
  const long column_after = static_cast<long>(plan.text.size() - start) + 1;
  plan.caret = {line + 1, column_after, line + 1, column_after};
  plan.text += rest;
  if (!closed) {
    plan.text += kBreak;
    AppendBlanks(plan.text, opener.indent);
    plan.text += CloserText(GetBlockTable().Cell(opener.row, 1));
    plan.closer_inserted = true;
    plan.custom_code = rest.empty() && opener.row >= BlockTable::kProcedureRows && settings.AutoInsert_CustomCode;
  }
  return plan;
}

}  // namespace qv
