#include <algorithm>
#include <string>

#include "codetools/includes.h"
#include "codetools/logical_line.h"
#include "codetools/procedure_body.h"
#include "kit/case_fold.h"
#include "kit/vb_strings.h"

namespace qv {
namespace {

bool IsIncludeTarget(std::wstring_view component, const IncludeTables& tables) {
  for (const std::wstring& module : tables.IncludeModules) {
    if (EqualsNoCase(module, component)) return true;
  }
  return false;
}

// The name a declaration line of a component declares, Private counting where asked.
std::wstring DeclaredName(std::wstring_view code, bool private_counts) {
  long kind = 0;
  for (const wchar_t* visibility : {L"", L"Public ", L"Private "}) {
    if (!private_counts && visibility == std::wstring_view(L"Private ")) break;
    std::wstring prefix = visibility;
    std::wstring name = GetDeclarationName(code, prefix, kind);
    if (!name.empty()) return name;
  }
  return {};
}

// Whether a logical line's code opens a Sub or Function body, of any visibility.
bool OpensBody(std::wstring_view code) {
  const long kind = DeclarationKind(code);
  return (kind == kSubKind || kind == kFunctionKind) && !IsEndLine(code);
}

bool DeclaresIn(const CodeModuleView& module, std::wstring_view name, bool private_counts) {
  const std::wstring assignment = std::wstring(name) + L" = ";
  const long count = module.CountOfLines();
  bool in_body = false;
  for (long line = 1; line <= count;) {
    const LogicalLine logical = GetLine(module, line);
    line += logical.lines_after + 1;
    // Indented declarations count too: the #If VBA7 branches of a declarations section.
    const std::wstring code = TrimBlanks(logical.code_text);
    if (in_body) {
      in_body = !IsEndLine(code);
      continue;
    }
    if (EqualsNoCase(DeclaredName(code, private_counts), name)) return true;
    if (StartsWith(code, assignment)) return true;
    // Property bodies are read: a property's name never equals a declared one.
    in_body = OpensBody(code);
  }
  return false;
}

// Sub, Function or Property, of any visibility: inserted below the blank line after the declarations.
bool IsProcedureMember(std::wstring_view declaration) { return DeclarationKind(declaration) >= kSubKind; }

// The code part of each logical line of a text: words in strings and comments declare nothing.
std::wstring CodePart(std::wstring_view text) {
  const ModuleText lines{std::wstring(text)};
  std::wstring code;
  for (long line = 1; line <= lines.CountOfLines();) {
    const LogicalLine logical = GetLine(lines, line);
    code += logical.code_text;
    code += L"\r\n";
    line += logical.lines_after + 1;
  }
  return code;
}

const std::wstring* FindMember(std::wstring_view word, const IncludeTables& tables, long& include) {
  for (include = 1; include <= tables.IncludeItems.Count(); ++include) {
    if (const std::wstring* member = tables.IncludeItems.Item(include).Find(word)) return member;
  }
  return nullptr;
}

}  // namespace

std::wstring DeclarationWord(const CodeModuleView& module, long line, long column) {
  if (column <= 1) return {};
  const std::wstring code = GetLine(module, line, column).code_text;
  std::size_t start = 0;
  for (const wchar_t separator : {L' ', L':', L'+', L'-', L'/', L'*', L','}) {
    const std::size_t at = code.rfind(separator);
    if (at != std::wstring::npos) {
      start = at + 1;
      break;
    }
  }
  return TrimBlanks(std::wstring_view(code).substr(start));
}

bool IsDeclared(std::wstring_view name, const IncludeTables& tables, IncludeProject& project) {
  try {
    const long components = project.ComponentCount();
    for (long index = 1; index <= components; ++index) {
      const bool selected = project.IsSelected(index);
      if (!selected && project.ComponentType(index) != kStandardModuleType) continue;
      const bool private_counts = selected || IsIncludeTarget(project.ComponentName(index), tables);
      if (DeclaresIn(project.Module(index), name, private_counts)) return true;
    }
    return false;
  } catch (const VbError& error) {
    // Declared rather than inserted a second time.
    project.ShowError(error.description);
    return true;
  }
}

std::wstring PrivateDeclaration(std::wstring_view declaration) {
  if (StartsWith(declaration, L"Type ") || StartsWith(declaration, L"Declare ")) {
    return L"Private " + std::wstring(declaration);
  }
  for (const wchar_t* kind : {L"Public Type ", L"Public Declare ", L"Public Const "}) {
    if (StartsWith(declaration, kind)) return L"Private " + std::wstring(declaration.substr(7));
  }
  return std::wstring(declaration);
}

void AddDeclaration(std::wstring_view text, bool ListOnly, const IncludeTables& tables, IncludeProject& project,
                    KeyedCollection<std::wstring>& DeclaredNames) {
  const std::wstring code = CodePart(text);
  std::size_t end = 0;
  for (std::size_t start = 0; start < code.size(); start = end + 1) {
    // ":" too: a call often ends a statement ("t = GetTickCount: Sleep 10").
    end = std::min(code.find_first_of(L",:\r\n()\t ", start), code.size());
    const std::wstring word(code.substr(start, end - start));
    long include = 0;
    const std::wstring* member = word.empty() ? nullptr : FindMember(word, tables, include);
    if (!member || DeclaredNames.Contains(word) || IsDeclared(word, tables, project)) continue;
    DeclaredNames.Add(word, word);
    if (ListOnly) continue;
    const std::optional<long> target = project.GetOrAddModule(tables.IncludeModules.Item(include), L"");
    if (!target) continue;
    const std::wstring declaration =
        project.ComponentType(*target) == kStandardModuleType ? *member : PrivateDeclaration(*member);
    const CodeModuleView& module = project.Module(*target);
    long line = module.CountOfDeclarationLines() + 1;
    if (IsProcedureMember(declaration) && line <= module.CountOfLines() && TrimBlanks(module.Line(line)).empty()) {
      ++line;
    }
    project.InsertLines(*target, line, declaration);
    AddDeclaration(declaration, false, tables, project, DeclaredNames);
  }
}

}  // namespace qv
