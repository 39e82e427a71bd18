#include "sandbox/model/procedure_geometry.h"

#include <optional>

#include "kit/case_fold.h"

// The rules are assumed to be the hosts' documented ones: comments right above a procedure belong to
// it, and the last procedure takes the lines after its End line unless switched off.

namespace sbx {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsBlankLine(std::wstring_view line) { return Trim(line).empty(); }

struct LogicalLine {
  int first = 0;  // physical lines, from 1
  int last = 0;
  std::wstring text;
};

std::vector<LogicalLine> JoinLogicalLines(const std::vector<std::wstring>& lines) {
  std::vector<LogicalLine> logical;
  const int count = static_cast<int>(lines.size());
  for (int i = 0; i < count; ++i) {
    LogicalLine line{i + 1, i + 1, lines[static_cast<size_t>(i)]};
    while (ContinuesOnNextLine(line.text) && i + 1 < count) {
      line.text.erase(line.text.rfind(L'_'));
      line.text += lines[static_cast<size_t>(++i)];
      line.last = i + 1;
    }
    logical.push_back(std::move(line));
  }
  return logical;
}

// "Rem" as a whole word at the start of a statement opens a comment.
bool IsRem(std::wstring_view statement) {
  statement = Trim(statement);
  return statement.size() >= 3 && qv::EqualsNoCase(statement.substr(0, 3), L"rem") &&
         (statement.size() == 3 || IsBlank(statement[3]));
}

// The ":"-separated statements of a logical line, trimmed, without its comment. A line that holds
// nothing but a comment or blanks gives one empty statement.
std::vector<std::wstring_view> Statements(std::wstring_view line) {
  line = line.substr(0, CommentStart(line));
  std::vector<std::wstring_view> statements;
  bool in_string = false;
  size_t start = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == L'"') {
      in_string = !in_string;
    } else if (!in_string && line[i] == L':') {
      statements.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  statements.push_back(line.substr(start));
  for (size_t i = 0; i < statements.size(); ++i) {
    if (IsRem(statements[i])) {
      statements.resize(i);
      break;
    }
    statements[i] = Trim(statements[i]);
  }
  if (statements.empty()) statements.emplace_back();
  return statements;
}

bool HoldsStatement(std::wstring_view line) {
  for (std::wstring_view statement : Statements(line)) {
    if (!statement.empty()) return true;
  }
  return false;
}

// Reads blank-separated words; a word also ends at "(".
class Words {
 public:
  explicit Words(std::wstring_view text) : text_(text) {}
  std::wstring_view Next() {
    while (!text_.empty() && IsBlank(text_.front())) text_.remove_prefix(1);
    size_t end = 0;
    while (end < text_.size() && !IsBlank(text_[end]) && text_[end] != L'(') ++end;
    const std::wstring_view word = text_.substr(0, end);
    text_.remove_prefix(end);
    return word;
  }

 private:
  std::wstring_view text_;
};

// The first statement without its optional leading line number.
std::wstring_view FirstStatement(std::wstring_view line) {
  std::wstring_view statement = Statements(line).front();
  size_t digits = 0;
  while (digits < statement.size() && statement[digits] >= L'0' && statement[digits] <= L'9') ++digits;
  if (digits > 0 && (digits == statement.size() || IsBlank(statement[digits]))) {
    statement = Trim(statement.substr(digits));
  }
  return statement;
}

struct Header {
  std::wstring name;
  int kind = kProcSubFunction;
  std::wstring end_statement;
};

// [Public |Private |Friend ][Static ](Sub|Function|Property Get|Property Let|Property Set) name
std::optional<Header> ParseHeader(std::wstring_view line) {
  Words words(FirstStatement(line));
  std::wstring_view word = words.Next();
  for (std::wstring_view scope : {L"public", L"private", L"friend"}) {
    if (qv::EqualsNoCase(word, scope)) {
      word = words.Next();
      break;
    }
  }
  if (qv::EqualsNoCase(word, L"static")) word = words.Next();
  Header header;
  if (qv::EqualsNoCase(word, L"sub")) {
    header.end_statement = L"End Sub";
  } else if (qv::EqualsNoCase(word, L"function")) {
    header.end_statement = L"End Function";
  } else if (qv::EqualsNoCase(word, L"property")) {
    const std::wstring_view accessor = words.Next();
    if (qv::EqualsNoCase(accessor, L"get")) {
      header.kind = kProcGet;
    } else if (qv::EqualsNoCase(accessor, L"let")) {
      header.kind = kProcLet;
    } else if (qv::EqualsNoCase(accessor, L"set")) {
      header.kind = kProcSet;
    } else {
      return std::nullopt;
    }
    header.end_statement = L"End Property";
  } else {
    return std::nullopt;
  }
  header.name = words.Next();
  if (header.name.empty()) return std::nullopt;
  return header;
}

bool IsEndLine(std::wstring_view line) {
  Words words(FirstStatement(line));
  if (!qv::EqualsNoCase(words.Next(), L"end")) return false;
  const std::wstring_view what = words.Next();
  const bool closes =
      qv::EqualsNoCase(what, L"sub") || qv::EqualsNoCase(what, L"function") || qv::EqualsNoCase(what, L"property");
  return closes && words.Next().empty();
}

int LastNonBlankLine(const std::vector<std::wstring>& lines) {
  for (size_t i = lines.size(); i > 0; --i) {
    if (!IsBlankLine(lines[i - 1])) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

bool ContinuesOnNextLine(std::wstring_view line) {
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line.size() >= 2 && line.substr(line.size() - 2) == L" _";
}

size_t CommentStart(std::wstring_view line) {
  bool in_string = false;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == L'"') {
      in_string = !in_string;
    } else if (!in_string && line[i] == L'\'') {
      return i;
    }
  }
  return std::wstring_view::npos;
}

const Procedure* ProcedureGeometry::Find(std::wstring_view name, int kind) const {
  for (const Procedure& procedure : procedures) {
    if (procedure.kind == kind && qv::EqualsNoCase(procedure.name, name)) return &procedure;
  }
  return nullptr;
}

const Procedure* ProcedureGeometry::OfLine(int line) const {
  for (const Procedure& procedure : procedures) {
    if (line >= procedure.start_line && line < procedure.start_line + procedure.count_lines) return &procedure;
  }
  return nullptr;
}

ProcedureGeometry ComputeGeometry(const std::vector<std::wstring>& lines, bool trailing_lines_in_last) {
  ProcedureGeometry geometry;
  std::vector<Procedure>& procedures = geometry.procedures;
  int last_statement_before_first = 0;
  for (const LogicalLine& line : JoinLogicalLines(lines)) {
    if (std::optional<Header> header = ParseHeader(line.text)) {
      procedures.push_back(
          {std::move(header->name), header->kind, 0, line.first, 0, 0, std::move(header->end_statement)});
    } else if (procedures.empty()) {
      if (HoldsStatement(line.text)) last_statement_before_first = line.last;
    } else if (procedures.back().end_line == 0 && IsEndLine(line.text)) {
      procedures.back().end_line = line.last;
    }
  }

  const int count = static_cast<int>(lines.size());
  geometry.declaration_lines = procedures.empty() ? LastNonBlankLine(lines) : last_statement_before_first;
  int start = geometry.declaration_lines + 1;
  for (size_t i = 0; i < procedures.size(); ++i) {
    Procedure& procedure = procedures[i];
    const bool last = i + 1 == procedures.size();
    // A procedure without an End line runs up to the next header, or to the module's end.
    int end = procedure.end_line != 0 ? procedure.end_line : last ? count : procedures[i + 1].body_line - 1;
    if (last && trailing_lines_in_last) end = count;
    procedure.start_line = start;
    procedure.count_lines = end - start + 1;
    start = end + 1;
  }
  return geometry;
}

}  // namespace sbx
