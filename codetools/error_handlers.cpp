#include "codetools/error_handlers.h"

#include <algorithm>

#include "codetools/logical_line.h"
#include "codetools/procedure_body.h"
#include "kit/case_fold.h"
#include "kit/vb_convert.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

// The "On Error " statement that leads a body.
struct LeadingOnError {
  long first = 0;
  long last = 0;
  std::wstring target;  // X of "On Error GoTo X"; "" for the other forms
};

// The words of a statement, across the " _" CR of its continuation lines.
std::vector<std::wstring_view> Words(std::wstring_view statement) {
  std::vector<std::wstring_view> words;
  std::size_t start = 0;
  while (start < statement.size()) {
    const std::size_t end = std::min(statement.find_first_of(L" \r", start), statement.size());
    const std::wstring_view word = statement.substr(start, end - start);
    if (!word.empty() && word != L"_") words.push_back(word);
    start = end + 1;
  }
  return words;
}

// Searched from the body's first line past blank, comment and label lines and Dim declarations,
// above the End line: "On Error End Sub" is that line, not a handler. A line that holds another
// statement or a label beside it is not the handler's: deleting or replacing it would take them along.
std::optional<LeadingOnError> FindLeadingOnError(const CodeModuleView& module, const ProcedureBody& body) {
  const long last = body.end_line != 0 ? body.end_line - 1 : body.last_line;
  for (long line = body.first_line; line <= last;) {
    const LogicalLine logical = GetLine(module, line);
    const std::wstring statement = TrimBlanks(logical.code_text);
    if (statement.starts_with(L"On Error ")) {
      const std::wstring_view first_piece = module.Line(line);
      if (SplitStatements(logical.code_text).size() != 1 ||
          LabelLength(first_piece, logical.code_text) != LineNumberLength(first_piece, logical.code_text)) {
        return std::nullopt;
      }
      LeadingOnError found{line, line + logical.lines_after, {}};
      const std::vector<std::wstring_view> words = Words(statement);
      if (words.size() >= 4 && EqualsNoCase(words[2], L"GoTo")) found.target = words[3];
      return found;
    }
    if (HasStatement(statement) && !statement.starts_with(L"Dim ")) return std::nullopt;
    line += logical.lines_after + 1;
  }
  return std::nullopt;
}

// Whether the End line holds a statement before its End ("Close #1: End Sub"). Below a footer that
// statement would run on the error path only, and a footer ending on it cannot come out whole.
bool EndLineHoldsStatement(const CodeModuleView& module, const ProcedureBody& body) {
  if (body.end_line == 0) return false;
  const std::wstring code = GetLine(module, body.end_line).code_text;
  const std::vector<std::wstring_view> statements = SplitStatements(code);
  return std::any_of(statements.begin(), statements.end() - 1, [](std::wstring_view s) { return HasStatement(s); });
}

// The footer's first line: an "Exit <kind word>" whose next line of code is the label the header
// jumps to, searched upward from the End line. A user's own tail ("Exit Sub", "Cleanup:", ...) is
// no footer, and neither is a handler holding a block ("If ", "End ") or ending on the End line.
std::optional<long> FindFooter(const CodeModuleView& module, const ProcedureBody& body, const LeadingOnError& on_error,
                               std::wstring_view kind_word) {
  if (on_error.target.empty() || body.end_line == 0 || EndLineHoldsStatement(module, body)) return std::nullopt;
  const std::wstring label = on_error.target + L":";
  const std::wstring exit = L"Exit " + std::wstring(kind_word);
  bool label_next = false;  // the next line of code below is that label
  bool label_below = false;
  for (long line = body.end_line - 1; line > on_error.last;) {
    const LogicalLine logical = GetLine(module, line);
    const long first = line - logical.lines_before;
    const std::wstring statement = TrimBlanks(logical.code_text);
    if (statement.starts_with(L"If ") || statement.starts_with(L"End ") ||
        (label_below && statement.starts_with(L"ElseIf "))) {
      return std::nullopt;
    }
    if (label_next && statement.starts_with(exit)) return first;
    const std::wstring_view first_piece = module.Line(first);
    const std::size_t length = LabelLength(first_piece, logical.code_text);
    if (HasStatement(statement) || length > 0) {
      const std::wstring_view word = first_piece.substr(LeadingBlanks(first_piece), length);
      label_next = length > 0 && EqualsNoCase(word, label);
      label_below = label_below || (length > 0 && IsLabel(word));
    }
    line = first - 1;
  }
  return std::nullopt;
}

HandlerRemoval PlanRemoval(const CodeModuleView& module, const ProcedureBody& body, std::wstring_view kind_word,
                           bool keep_one_line) {
  HandlerRemoval removal;
  const std::optional<LeadingOnError> on_error = FindLeadingOnError(module, body);
  if (!on_error) return removal;
  const long offset = on_error->first - body.first_line;
  if (keep_one_line && on_error->first == on_error->last) {
    removal.kept = offset;
  } else {
    removal.edits.push_back({HandlerEdit::kDelete, false, offset, on_error->last - on_error->first + 1, {}});
  }
  if (const std::optional<long> footer = FindFooter(module, body, *on_error, kind_word)) {
    removal.edits.push_back({HandlerEdit::kDelete, true, body.last_line - *footer, body.end_line - *footer, {}});
  }
  return removal;
}

// A flag's value as the language's Val reads it; one that does not fit reads as 0.
double FlagValue(std::wstring_view field) { return LeadingNumber(field).value_or(0); }

}  // namespace

ErrorHandlerTemplate SplitTemplate(std::wstring_view Template) {
  std::wstring_view fields[4];
  std::size_t start = 0;
  for (std::size_t i = 0; i < 4 && start <= Template.size(); ++i) {
    const std::size_t bar = std::min(Template.find(L'|', start), Template.size());
    fields[i] = Template.substr(start, bar - start);
    start = bar + 1;
  }
  return {std::wstring(fields[0]), std::wstring(fields[1]), FlagValue(fields[2]) == 1, FlagValue(fields[3]) != 0};
}

void WriteHandlerEdit(CodePaneMembers& pane, const HandlerEdit& edit, long first_body_line, long last_line) {
  const long line = edit.from_end ? last_line - edit.offset : first_body_line + edit.offset;
  switch (edit.kind) {
    case HandlerEdit::kInsert:
      pane.InsertLines(line, edit.text);
      break;
    case HandlerEdit::kReplace:
      pane.ReplaceLine(line, edit.text);
      break;
    case HandlerEdit::kDelete:
      pane.DeleteLines(line, edit.count);
      break;
  }
}

HandlerRemoval PlanHandlerRemoval(const CodeModuleView& module, const ProcedureInfo& procedure,
                                  std::wstring_view kind_word, bool keep_one_line) {
  return PlanRemoval(module, ReadBody(module, procedure), kind_word, keep_one_line);
}

std::optional<std::vector<HandlerEdit>> PlanErrorHandler(const CodeModuleView& module, const ProcedureInfo& procedure,
                                                         std::wstring_view kind_word,
                                                         const ErrorHandlerTemplate& handler, long IndentWidth,
                                                         TemplateHost& host) {
  const ProcedureBody body = ReadBody(module, procedure);
  // A header needs a body line, and a footer above an End line that holds a statement would take
  // that statement off the normal path.
  if (!body.HasBody() || (!handler.footer.empty() && EndLineHoldsStatement(module, body))) return std::nullopt;
  HandlerRemoval removal = PlanRemoval(module, body, kind_word, true);
  std::vector<HandlerEdit> edits = std::move(removal.edits);
  const std::wstring indent = RepeatString(L" ", IndentWidth);
  // Names come from the header's line: the only line sure to be the procedure's when its body is empty.
  const auto expand = [&](std::wstring_view field) {
    return indent + ExpandTemplate(field, body.declaration, IndentWidth, IndentWidth, host);
  };
  if (!handler.header.empty()) {
    std::wstring text = expand(handler.header);
    if (removal.kept) {
      edits.push_back({HandlerEdit::kReplace, false, *removal.kept, 0, std::move(text)});
    } else {
      edits.push_back({HandlerEdit::kInsert, false, 0, 0, std::move(text)});
    }
  } else if (removal.kept) {
    edits.push_back({HandlerEdit::kDelete, false, *removal.kept, 1, {}});
  }
  // Without an End line there is no place for a footer.
  if (!handler.footer.empty() && body.end_line != 0) {
    edits.push_back({HandlerEdit::kInsert, true, body.last_line - body.end_line, 0, expand(handler.footer)});
  }
  return edits;
}

}  // namespace qv
