#include "sandbox/model/keyword_case.h"

#include <optional>

#include "kit/case_fold.h"
#include "sandbox/model/procedure_geometry.h"

namespace sbx {
namespace {

// The keywords in their own case: statements, operators, constants and types.
constexpr std::wstring_view kKeywords[] = {
    L"AddressOf",  L"Alias",   L"And",        L"Any",        L"As",       L"Base",     L"Boolean",  L"Byte",
    L"ByRef",      L"ByVal",   L"Call",       L"Case",       L"Compare",  L"Const",    L"Currency", L"Date",
    L"Decimal",    L"Declare", L"Dim",        L"Do",         L"Double",   L"Each",     L"Else",     L"ElseIf",
    L"Empty",      L"End",     L"Enum",       L"Eqv",        L"Erase",    L"Error",    L"Event",    L"Exit",
    L"Explicit",   L"False",   L"For",        L"Friend",     L"Function", L"Get",      L"Global",   L"GoSub",
    L"GoTo",       L"If",      L"Imp",        L"Implements", L"In",       L"Integer",  L"Is",       L"Let",
    L"Lib",        L"Like",    L"Long",       L"LongLong",   L"LongPtr",  L"Loop",     L"Me",       L"Mod",
    L"New",        L"Next",    L"Not",        L"Nothing",    L"Null",     L"Object",   L"On",       L"Option",
    L"Optional",   L"Or",      L"ParamArray", L"Preserve",   L"Private",  L"Property", L"PtrSafe",  L"Public",
    L"RaiseEvent", L"ReDim",   L"Rem",        L"Resume",     L"Return",   L"Select",   L"Set",      L"Single",
    L"Static",     L"Step",    L"Stop",       L"String",     L"Sub",      L"Then",     L"To",       L"True",
    L"Type",       L"TypeOf",  L"Until",      L"Variant",    L"Wend",     L"While",    L"With",     L"WithEvents",
    L"Xor",
};

// Letters, digits and "_" make up a word, and so does every character past ASCII (national letters).
bool IsWordChar(wchar_t c) {
  return c == L'_' || (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c >= 0x80;
}

bool IsNumber(std::wstring_view word) { return word.find_first_not_of(L"0123456789") == std::wstring_view::npos; }

std::optional<std::wstring_view> KeywordOf(std::wstring_view word) {
  for (std::wstring_view keyword : kKeywords) {
    if (qv::EqualsNoCase(word, keyword)) return keyword;
  }
  return std::nullopt;
}

// Calls on_keyword(offset, keyword) for each keyword of the line's code; gives whether the line ends
// inside a comment.
template <class OnKeyword>
bool Scan(std::wstring_view line, bool in_comment, OnKeyword on_keyword) {
  if (in_comment) return true;
  bool statement_start = true;  // where "Rem" opens a comment
  size_t i = 0;
  while (i < line.size()) {
    const wchar_t c = line[i];
    if (c == L'\'') return true;
    if (c == L'"') {
      // A doubled quote closes the literal and opens the next at once.
      const size_t close = line.find(L'"', i + 1);
      if (close == std::wstring_view::npos) return false;
      i = close + 1;
      statement_start = false;
    } else if (!IsWordChar(c)) {
      if (c == L':') {
        statement_start = true;
      } else if (c != L' ' && c != L'\t') {
        statement_start = false;
      }
      ++i;
    } else {
      size_t end = i;
      while (end < line.size() && IsWordChar(line[end])) ++end;
      const std::wstring_view word = line.substr(i, end - i);
      const std::optional<std::wstring_view> keyword = i > 0 && line[i - 1] == L'.' ? std::nullopt : KeywordOf(word);
      if (keyword) on_keyword(i, *keyword);
      if (statement_start && keyword == L"Rem") return true;
      statement_start = statement_start && IsNumber(word);  // a line number leads its statement
      i = end;
    }
  }
  return false;
}

std::wstring CaseKeywords(std::wstring_view line, bool in_comment) {
  std::wstring cased(line);
  Scan(line, in_comment, [&](size_t at, std::wstring_view keyword) { cased.replace(at, keyword.size(), keyword); });
  return cased;
}

}  // namespace

std::wstring CaseKeywords(std::wstring_view line) { return CaseKeywords(line, false); }

std::wstring CaseKeywordsOfLine(const std::vector<std::wstring>& lines, int line) {
  int first = line;
  while (first > 1 && ContinuesOnNextLine(lines[static_cast<size_t>(first - 2)])) --first;
  bool in_comment = false;
  for (int i = first; i < line; ++i) {
    in_comment = Scan(lines[static_cast<size_t>(i - 1)], in_comment, [](size_t, std::wstring_view) {});
  }
  return CaseKeywords(lines[static_cast<size_t>(line - 1)], in_comment);
}

}  // namespace sbx
