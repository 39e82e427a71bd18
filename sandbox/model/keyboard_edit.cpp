#include "sandbox/model/keyboard_edit.h"

#include <string>

#include "kit/vb_strings.h"
#include "sandbox/model/procedure_geometry.h"

namespace sbx {
namespace {

const std::wstring& LineAt(const ModuleText& text, int line) {
  static const std::wstring kEmpty;
  return line <= text.CountOfLines() ? text.Line(line) : kEmpty;
}

int LineEnd(const ModuleText& text, int line) { return static_cast<int>(LineAt(text, line).size()) + 1; }

// The procedure whose one-line header is `line` when no End line closes it.
const Procedure* OpenHeaderAt(const ModuleText& text, int line) {
  for (const Procedure& procedure : text.Geometry().procedures) {
    if (procedure.body_line == line && procedure.end_line == 0 && !ContinuesOnNextLine(text.Line(line))) {
      return &procedure;
    }
  }
  return nullptr;
}

}  // namespace

TextPos TypeText(ModuleText& text, TextPos from, TextPos to, std::wstring_view typed) {
  if (from == to && typed.empty()) return from;
  return text.ReplaceRange(from, to, typed);
}

TextPos DeleteLeft(ModuleText& text, TextPos from, TextPos to) {
  if (from != to) return text.ReplaceRange(from, to, {});
  if (from.column > 1) return text.ReplaceRange({from.line, from.column - 1}, from, {});
  if (from.line > 1) return text.ReplaceRange({from.line - 1, LineEnd(text, from.line - 1)}, from, {});
  return from;
}

TextPos DeleteRight(ModuleText& text, TextPos from, TextPos to) {
  if (from != to) return text.ReplaceRange(from, to, {});
  if (from.column < LineEnd(text, from.line)) return text.ReplaceRange(from, {from.line, from.column + 1}, {});
  if (from.line < text.CountOfLines()) return text.ReplaceRange(from, {from.line + 1, 1}, {});
  return from;
}

TextPos SplitLine(ModuleText& text, TextPos from, TextPos to, bool complete_procedures) {
  const std::wstring& first_line = LineAt(text, from.line);
  const std::wstring indent(qv::LeadingBlanks(first_line.substr(0, static_cast<size_t>(from.column - 1))), L' ');
  const bool at_end = from == to && to.column == LineEnd(text, to.line);
  if (complete_procedures && at_end) {
    if (const Procedure* procedure = OpenHeaderAt(text, from.line)) {
      // The End line stands at the header's indentation (assumed host behaviour).
      const std::wstring header_indent(qv::LeadingBlanks(first_line), L' ');
      text.ReplaceRange(from, to, L"\r\n\r\n" + header_indent + procedure->end_statement);
      return {from.line + 1, 1};
    }
  }
  // The new line's indentation replaces the blanks that led the text after the caret (assumed host
  // behaviour); "the line above" is the split line's part before the caret.
  const size_t blanks_after =
      qv::LeadingBlanks(std::wstring_view(LineAt(text, to.line)).substr(static_cast<size_t>(to.column - 1)));
  return text.ReplaceRange(from, {to.line, to.column + static_cast<int>(blanks_after)}, L"\r\n" + indent);
}

}  // namespace sbx
