#include "codetools/auto_text.h"

#include <algorithm>
#include <string_view>

#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr auto npos = std::wstring_view::npos;

// Where the word before the typed blank starts: the blank wins over nearer
// delimiters of the other kinds.
std::size_t WordStart(std::wstring_view before) {
  for (const wchar_t delimiter : std::wstring_view(L" :+-/*,")) {
    if (const std::size_t at = before.rfind(delimiter); at != npos) return at + 1;
  }
  return 0;
}

}  // namespace

TypedLine ReadTypedLine(const CodeModuleView& module, const Selection& selection) {
  TypedLine typed;
  typed.line = selection.start_line;
  typed.caret_column = std::max(selection.start_column, 1L);
  typed.text = module.Line(typed.line);
  // A continued line's code text depends on the lines above; this line stands
  // last in it, cut at the caret.
  const LogicalLine left = GetLine(module, typed.line, typed.caret_column);
  const std::size_t cut = std::min(static_cast<std::size_t>(typed.caret_column - 1), typed.text.size());
  const std::size_t at = left.text.size() - cut;
  if (at < left.code_text.size()) typed.code = left.code_text.substr(at);
  return typed;
}

std::optional<LineEdit> ExpandAbbreviation(const TypedLine& typed, const KeyedCollection<std::wstring>& AutoInserts,
                                           long IndentWidth, TemplateHost& host) {
  const std::wstring_view text = typed.text;
  // Some character must stand before the typed blank.
  if (typed.caret_column <= 2 || static_cast<std::size_t>(typed.caret_column - 1) > text.size()) return std::nullopt;
  const auto blank = static_cast<std::size_t>(typed.caret_column - 2);
  const std::size_t start = WordStart(text.substr(0, blank));
  const std::wstring_view word = text.substr(start, blank - start);
  if (typed.code.size() < blank || typed.code.compare(start, word.size(), word) != 0) return std::nullopt;
  const std::wstring* item = AutoInserts.Find(TrimBlanks(text.substr(start, blank + 1 - start)));
  if (item == nullptr || item->empty()) return std::nullopt;

  const auto indent = static_cast<long>(std::min(text.find_first_not_of(L' '), text.size()));
  std::wstring expansion = ExpandTemplate(*item, typed.line, indent, IndentWidth, host);
  // The marks are looked for in the expansion only: braces in the user's code stay.
  const std::size_t open = expansion.find(L'{');
  const std::size_t close = open == npos ? npos : expansion.find(L'}', open + 1);
  const std::wstring_view prefix = text.substr(0, start);
  Selection selection{typed.line, 0, typed.line, 0};
  if (close != npos) {
    // Columns count from the start of the line that holds the marks.
    std::size_t line_start = 0;
    for (std::size_t at = expansion.find(L"\r\n"); at < open; at = expansion.find(L"\r\n", at + 2)) {
      ++selection.start_line;
      line_start = at + 2;
    }
    const std::size_t offset = selection.start_line == typed.line ? prefix.size() : 0;
    selection.start_column = static_cast<long>(offset + open - line_start) + 1;
    selection.end_column = static_cast<long>(offset + close - line_start);
    selection.end_line = selection.start_line;
    expansion.erase(close, 1);
    expansion.erase(open, 1);
  } else {
    selection.start_column = static_cast<long>(prefix.size() + std::min(expansion.find(L"\r\n"), expansion.size())) + 1;
    selection.end_column = selection.start_column;
  }
  std::wstring replaced(prefix);
  replaced += expansion;
  // What stood right of the caret would fuse with the last line of a block: it goes below it.
  const std::wstring_view tail = text.substr(blank + 1);
  const std::wstring rest = LTrimBlanks(tail);
  if (!rest.empty() && expansion.find(L"\r\n") != npos) {
    replaced += L"\r\n" + RepeatString(L" ", indent) + rest;
  } else {
    replaced += tail;
  }
  return LineEdit{typed.line, typed.line, std::move(replaced), selection};
}

void InsertAutoText(const CodeModuleView& module, CodePaneMembers& pane,
                    const KeyedCollection<std::wstring>& AutoInserts, const Settings& settings, TemplateHost& host) {
  const TypedLine typed = ReadTypedLine(module, pane.GetSelection());
  if (const std::optional<LineEdit> edit = ExpandAbbreviation(typed, AutoInserts, settings.IndentWidth, host)) {
    WriteLineEdit(pane, *edit);
  }
}

}  // namespace qv
