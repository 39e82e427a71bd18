#include "codetools/logical_line.h"

#include <algorithm>

#include "kit/case_fold.h"
#include "kit/vb_convert.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

constexpr auto npos = std::wstring_view::npos;

// The directive test looks past blanks and joined-line marks (" _" CR).
bool IsDirectiveComment(std::wstring_view code) {
  std::size_t i = code.find_first_not_of(L' ');
  if (i == npos) return false;
  ++i;  // the comment's apostrophe, whatever it is
  while (i < code.size()) {
    if (code.substr(i, 3) == L" _\r") {
      i += 3;
    } else if (code[i] == L' ') {
      ++i;
    } else {
      break;
    }
  }
  return i + 1 < code.size() && code[i] == L'#' && code[i + 1] >= L'A' && code[i + 1] <= L'z';
}

// Start of the first statement that is a Rem comment, or npos. When the code ends where an
// unterminated literal was dropped, a Rem at that end stood against the quote ("Rem\"x"): no comment.
std::size_t FindRem(std::wstring_view code, bool ends_at_literal) {
  std::size_t start = 0;
  while (start <= code.size()) {
    std::size_t i = start;
    while (i < code.size() && (code[i] == L' ' || code[i] == L'\t')) ++i;
    if (i + 3 <= code.size() && FoldCase(code[i]) == L'r' && FoldCase(code[i + 1]) == L'e' &&
        FoldCase(code[i + 2]) == L'm' && (i + 3 == code.size() ? !ends_at_literal : code[i + 3] == L' ' || code[i + 3] == L'\t')) {
      return i;
    }
    std::size_t colon = code.find(L':', start);
    while (colon != npos && colon + 1 < code.size() && code[colon + 1] == L'=') colon = code.find(L':', colon + 1);
    if (colon == npos) return npos;
    start = colon + 1;
  }
  return npos;
}

}  // namespace

bool IsLineNumber(std::wstring_view word) { return IsNumeric(word); }

bool IsLabel(std::wstring_view word) {
  if (!word.ends_with(L':')) return false;
  const std::wstring rest = FoldCase(word.substr(0, word.size() - 1));
  if (rest.empty()) return true;
  for (const wchar_t* statement : {L"else", L"#else", L"next", L"do", L"loop", L"wend"}) {
    if (rest == statement) return false;
  }
  return rest.find(L'.') == std::wstring::npos;
}

std::size_t LabelLength(std::wstring_view first_line, std::wstring_view code_text) {
  const std::size_t start = LeadingBlanks(first_line);
  const std::size_t end = std::min(first_line.find(L' ', start), first_line.size());
  const std::wstring_view word = first_line.substr(start, end - start);
  if (!IsLabel(word) && !IsLineNumber(word)) return 0;
  if (code_text.size() < end ||
      code_text.substr(start, word.size()).find_first_not_of(L' ') != std::wstring_view::npos) {
    return 0;
  }
  return word.size();
}

std::size_t LineNumberLength(std::wstring_view first_line, std::wstring_view code_text) {
  if (first_line.starts_with(L' ')) return 0;
  const std::size_t length = LabelLength(first_line, code_text);
  // What LabelLength found is a number or a label, and no number ends in ':'.
  return length > 0 && !IsLabel(first_line.substr(0, length)) ? length : 0;
}

std::wstring RepeatString(std::wstring_view text, long count) {
  std::wstring result;
  if (count < 1) return result;
  result.reserve(text.size() * static_cast<std::size_t>(count));
  for (long i = 0; i < count; ++i) result += text;
  return result;
}

void PrepareCodeText(std::wstring_view raw, std::wstring& code) {
  code.assign(raw);
  // Joined lines keep their columns: " _" CR LF becomes " _" CR and a blank.
  for (std::size_t at = code.find(L" _\r\n"); at != std::wstring::npos; at = code.find(L" _\r\n", at + 4)) {
    code[at + 3] = L' ';
  }
  // String contents become blanks; a doubled quote stays two quotes.
  bool in_string = false;
  std::size_t opened = 0;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] == L'"') {
      if (!in_string) opened = i;
      in_string = !in_string;
    } else if (in_string) {
      code[i] = L' ';
    }
  }
  const bool dropped = in_string;
  if (dropped) code.resize(opened);
  // The comment; a directive comment is code up to its second apostrophe.
  std::size_t comment = code.find(L'\'');
  if (comment != std::wstring::npos && IsDirectiveComment(code)) comment = code.find(L'\'', comment + 1);
  if (comment != std::wstring::npos) code.resize(comment);
  // A leading line number or label and the blank after it.
  const std::size_t word = code.find_first_not_of(L' ');
  if (word != std::wstring::npos) {
    const std::size_t blank = std::min(code.find(L' ', word), code.size());
    const std::wstring_view first(std::wstring_view(code).substr(word, blank - word));
    if (IsLineNumber(first) || IsLabel(first)) {
      // Not over a dropped literal's quote: the code part ends where the literal opened.
      if (blank == code.size() && !dropped) code += L' ';
      std::fill(code.begin() + static_cast<std::ptrdiff_t>(word), code.begin() + static_cast<std::ptrdiff_t>(blank) + 1,
                L' ');
    }
  }
  const std::size_t rem = FindRem(code, dropped);
  if (rem != npos) code.resize(rem);
}

std::wstring PrepareCodeText(std::wstring_view raw) {
  std::wstring code;
  PrepareCodeText(raw, code);
  return code;
}

void SplitStatements(std::wstring_view code_text, std::vector<std::wstring_view>& statements) {
  statements.clear();
  if (code_text.empty()) return;
  std::size_t start = 0;
  for (std::size_t i = 0; i < code_text.size(); ++i) {
    if (code_text[i] != L':' || (i + 1 < code_text.size() && code_text[i + 1] == L'=')) continue;
    statements.push_back(code_text.substr(start, i - start));
    start = i + 1;
  }
  statements.push_back(code_text.substr(start));
}

std::vector<std::wstring_view> SplitStatements(std::wstring_view code_text) {
  std::vector<std::wstring_view> statements;
  SplitStatements(code_text, statements);
  return statements;
}

LogicalLine GetLine(const CodeModuleView& module, long line_number, long column) {
  LogicalLine result;
  const long count = module.CountOfLines();
  if (line_number < 1 || line_number > count) return result;
  long first = line_number;
  while (first > 1 && IsContinued(module.Line(first - 1))) --first;
  for (long line = first; line < line_number; ++line) {
    result.text += module.Line(line);
    result.text += L"\r\n";
  }
  const std::wstring_view own = module.Line(line_number);
  if (column == 0) {
    result.text += own;
    long last = line_number;
    while (last < count && IsContinued(module.Line(last))) {
      result.text += L"\r\n";
      result.text += module.Line(++last);
    }
    result.lines_after = last - line_number;
  } else {
    result.text += own.substr(0, static_cast<std::size_t>(std::max(column - 1, 0L)));
  }
  result.lines_before = line_number - first;
  PrepareCodeText(result.text, result.code_text);
  return result;
}

}  // namespace qv
