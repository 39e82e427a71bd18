#include "codetools/line_rewrite.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "codetools/block_table.h"
#include "codetools/logical_line.h"
#include "kit/case_fold.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr auto npos = std::wstring_view::npos;

// A statement as rewritten and how far the caret moves for it.
struct Rewritten {
  std::wstring text;
  long shift = 0;
};

// The first character in "A" to "z" and no blank; the rest is not examined,
// so a(i) and Me.Count are names.
// A name stands on one physical line: a word that a continuation splits, such as "_" and the line
// break after it, is none, or its rewrite would carry the break into the code.
bool IsName(std::wstring_view word) {
  return !word.empty() && word.find_first_of(L" \r\n") == npos && word.front() >= L'A' && word.front() <= L'z';
}

// What follows Then or Else of a one-line If, else the text itself.
std::wstring_view AfterIfPrefix(std::wstring_view text) {
  const std::wstring folded = FoldCase(text);
  for (const std::wstring_view keyword : {L" then ", L" else "}) {
    if (const std::size_t at = folded.find(keyword); at != npos) return text.substr(at + keyword.size());
  }
  return folded.starts_with(L"else ") ? text.substr(5) : text;
}

bool NeedsThen(const std::vector<std::wstring_view>& statements) {
  static const PatternList kConditions(L"if *,[#]if *,elseif *,[#]elseif *");
  static const PatternList kGoto(L"*if * goto *");
  if (statements.size() != 1) return false;
  const std::wstring folded = FoldCase(TrimBlanks(statements.front()));
  int kind = 0;
  return FindBlock(folded, 2, kind) < 0 && kConditions.MatchesFolded(folded) && folded.find(L" then ") == npos &&
         !folded.ends_with(L" then") && !kGoto.MatchesFolded(folded);
}

// Where the code ends: before the blanks and line joins (" _" CR) after it.
std::size_t CodeEnd(std::wstring_view code) {
  std::size_t end = code.size();
  for (;;) {
    while (end > 0 && code[end - 1] == L' ') --end;
    if (end < 3 || code.substr(end - 3, 3) != L" _\r") return end;
    end -= 3;
  }
}

// " Then" goes after the code, before a trailing comment and the blanks and
// line joins that lead to it.
std::wstring WithThen(std::wstring_view raw, std::wstring_view code) {
  const std::size_t at = code.size() < raw.size() && raw[code.size()] == L'\'' ? CodeEnd(code) : raw.size();
  std::wstring text(raw.substr(0, at));
  text += L" Then";
  text += raw.substr(at);
  return text;
}

// An unterminated string: the caret or the line's end stands inside a literal,
// where an inserted keyword would become part of the text.
bool EndsInString(const CaretLine& line) {
  return line.code.size() < line.raw.size() && line.raw[line.code.size()] == L'"';
}

bool IsForeignDirective(std::wstring_view statement) {
  const std::wstring folded = FoldCase(TrimBlanks(statement));
  return folded.starts_with(L"#include") || folded.starts_with(L"#region") || folded.starts_with(L"#end region");
}

// "n++" becomes "n = n + 1", also after Then or Else of a one-line If. The
// statement's code ends at `end`.
std::optional<Rewritten> Increment(std::wstring_view trimmed, std::wstring_view raw, std::size_t end) {
  const std::wstring_view operand = AfterIfPrefix(trimmed);
  const std::wstring name = TrimBlanks(operand.substr(0, operand.size() - 2));
  if (!IsName(name)) return std::nullopt;
  std::wstring text(raw.substr(0, end - 2));
  text += L" = " + name + L' ' + raw[end - 1] + L" 1";
  text += raw.substr(end);  // the blanks before a comment or a line join
  return Rewritten{std::move(text), static_cast<long>(name.size()) + 5};
}

// "Dim a As Long = 5, b, c = 2" becomes "Dim a As Long , b,c: a= 5: c= 2";
// the editor normalises the blanks. Names and types come from the raw text;
// what follows the code (blanks, a line join) stays after the assignments.
std::optional<Rewritten> DimWithValues(std::wstring_view code, std::wstring_view raw, std::size_t end) {
  const std::size_t start = FoldCase(code).find(L"dim ") + 4;
  const std::wstring_view declarations = code.substr(start, end - start);
  std::wstring head(raw.substr(0, start));
  std::wstring assignments;
  long shift = 0;
  std::size_t from = 0;
  int depth = 0;
  for (std::size_t i = 0; i <= declarations.size(); ++i) {
    if (i < declarations.size()) {
      // Only commas outside parentheses separate declarations.
      const wchar_t c = declarations[i];
      depth += c == L'(' ? 1 : c == L')' ? -1 : 0;
      if (c != L',' || depth > 0) continue;
    }
    const std::wstring_view part = declarations.substr(from, i - from);
    const std::wstring_view raw_part = raw.substr(start + from, i - from);
    if (from > 0) head += L',';
    from = i + 1;
    const std::size_t equals = part.find(L'=');
    std::size_t name_end = equals;
    if (equals != npos) name_end = std::min(FoldCase(part.substr(0, equals)).find(L" as "), equals);
    const std::wstring name = equals == npos ? std::wstring() : TrimBlanks(raw_part.substr(0, name_end));
    if (!IsName(name)) {
      head += raw_part;
      continue;
    }
    head += name;
    head += raw_part.substr(name_end, equals - name_end);
    assignments += L": " + name;
    assignments += raw_part.substr(equals);
    shift += static_cast<long>(name.size()) + 2;
  }
  if (assignments.empty()) return std::nullopt;
  head += assignments;
  head += raw.substr(end);
  return Rewritten{std::move(head), shift};
}

// "total += x" becomes "total  = total + x"; the editor normalises the blanks.
std::optional<Rewritten> CompoundAssignment(std::wstring_view code, std::wstring_view raw, std::size_t at) {
  const std::wstring before = TrimBlanks(code.substr(0, at));
  const std::wstring name = TrimBlanks(AfterIfPrefix(before));
  if (!IsName(name)) return std::nullopt;
  std::wstring text(raw.substr(0, at));
  text += L" = " + name + L' ' + code[at];
  text += raw.substr(at + 2);
  return Rewritten{std::move(text), static_cast<long>(name.size()) + 4};
}

std::size_t FindCompoundOperator(std::wstring_view code) {
  static constexpr std::array<std::wstring_view, 6> kOperators = {L"+=", L"-=", L"*=", L"/=", L"\\=", L"&="};
  for (const std::wstring_view op : kOperators) {
    if (const std::size_t at = code.find(op); at != npos) return at;
  }
  return npos;
}

// The first rule whose trigger matches decides, even when its setting is off
// or the statement does not fit it.
std::optional<Rewritten> ReplaceStatement(std::wstring_view code, std::wstring_view raw, const Settings& settings) {
  const std::size_t end = CodeEnd(code);
  const std::wstring trimmed = TrimBlanks(code.substr(0, end));
  if (trimmed.ends_with(L"++") || trimmed.ends_with(L"--")) {
    return settings.IncrementAndDecrement ? Increment(trimmed, raw, end) : std::nullopt;
  }
  if (FoldCase(trimmed).starts_with(L"dim ") && code.find(L'=') != npos) {
    return settings.InitializationWithDeclarate ? DimWithValues(code, raw, end) : std::nullopt;
  }
  if (const std::size_t at = FindCompoundOperator(code); at != npos) {
    return settings.ComponentAssignment ? CompoundAssignment(code, raw, at) : std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<LineEdit> RewriteLine(const CaretLine& line, const Settings& settings) {
  if (line.Continues() || EndsInString(line)) return std::nullopt;
  const std::vector<std::wstring_view> statements = SplitStatements(line.code);
  if (statements.empty()) return std::nullopt;
  // The rules after these would work from the line as it was before.
  if (settings.AutoInsert && settings.AutoInsert_Then && NeedsThen(statements)) {
    return EditCaretLine(line, WithThen(line.raw, line.code), 5);
  }
  if (settings.AutoInsert && settings.AutoInsert_Comment && IsForeignDirective(statements.front())) {
    return EditCaretLine(line, L"'" + line.raw, 1);
  }
  // A commented-out directive such as '#Include reads as code, but it holds no statements.
  const std::size_t first = line.code.find_first_not_of(L' ');
  if (!settings.AutoReplace || (first != npos && line.code[first] == L'\'')) return std::nullopt;

  std::wstring text;
  long shift = 0;
  bool changed = false;
  const std::wstring_view whole(line.raw);
  for (const std::wstring_view code : statements) {
    if (code.data() != line.code.data()) text += L':';
    // A label alone has one code blank more than its raw text.
    const auto at = std::min(static_cast<std::size_t>(code.data() - line.code.data()), whole.size());
    const std::wstring_view raw = whole.substr(at, code.size());
    if (std::optional<Rewritten> rewritten = ReplaceStatement(code, raw, settings)) {
      text += rewritten->text;
      shift += rewritten->shift;
      changed = true;
    } else {
      text += raw;
    }
  }
  if (!changed) return std::nullopt;
  text += whole.substr(std::min(line.code.size(), whole.size()));  // a trailing comment
  return EditCaretLine(line, std::move(text), shift);
}

void ApplyLineAutoInsert(bool AtCaret, const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings) {
  if (const std::optional<LineEdit> edit = RewriteLine(ReadCaretLine(module, pane.GetSelection(), AtCaret), settings)) {
    WriteLineEdit(pane, *edit);
  }
}

}  // namespace qv
