#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "codetools/module_view.h"

namespace qv {

// One logical line: a physical line and the lines joined to it by " _".
struct LogicalLine {
  std::wstring text;       // the physical lines joined by CR LF, nothing removed
  std::wstring code_text;  // the code part, in the raw text's columns
  long lines_before = 0;   // continued lines above the line asked for
  long lines_after = 0;    // continuation lines below it
};

// The logical line that holds physical line line_number. With a non-zero
// column, that physical line is cut before the column (the text left of a
// caret) and nothing below it is read. Empty outside the module.
LogicalLine GetLine(const CodeModuleView& module, long line_number, long column = 0);

// The code part of a raw logical line: string contents blanked (an
// unterminated string dropped), the comment cut (a directive comment such as
// '#Region at its second apostrophe), a leading line number or label blanked
// with the blank after it, and a Rem statement cut.
std::wstring PrepareCodeText(std::wstring_view raw);
void PrepareCodeText(std::wstring_view raw, std::wstring& code);

// The statements of a code text, untrimmed, split at every ':' that does not
// start ':=' (a named argument); none for an empty text.
std::vector<std::wstring_view> SplitStatements(std::wstring_view code_text);
void SplitStatements(std::wstring_view code_text, std::vector<std::wstring_view>& statements);

// Whether a blank-delimited word is a line label ("ErrorHandler:", ":"), as
// against a statement before a separator ("Else:", "Loop:", "Me.x:").
bool IsLabel(std::wstring_view word);
// A line number: a word the language's IsNumeric accepts, as "10", "-5", "1.5e3" or "&H10".
bool IsLineNumber(std::wstring_view word);
// The length of the line number or label that stands right after the leading
// blanks of a logical line's first physical line, as its code text blanks it;
// 0 when the line starts with a statement, a comment or nothing.
std::size_t LabelLength(std::wstring_view first_line, std::wstring_view code_text);
// The same for a line number in column 1 only: the number that line numbering puts in and takes off.
std::size_t LineNumberLength(std::wstring_view first_line, std::wstring_view code_text);

// Whether a code text holds a statement: more than blanks, and no directive comment such as
// '#Region, which the code text keeps for the formatter.
inline bool HasStatement(std::wstring_view code_text) {
  const std::size_t first = code_text.find_first_not_of(L' ');
  return first != std::wstring_view::npos && code_text[first] != L'\'';
}

std::wstring RepeatString(std::wstring_view text, long count);

// Whether a physical line continues on the next one.
inline bool IsContinued(std::wstring_view line) { return line.ends_with(L" _"); }
// Whether physical line `number` of `count` is a lone "_" with a line below: indented, it would read
// as " _" and join that line, so it stays in column 1.
inline bool IsLoneUnderscore(std::wstring_view line, long number, long count) { return line == L"_" && number < count; }

}  // namespace qv
