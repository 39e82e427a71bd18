#include "codetools/auto_indent.h"

#include <string>
#include <vector>

#include "codetools/block_table.h"
#include "codetools/indent_engine.h"
#include "codetools/logical_line.h"
#include "kit/vb_strings.h"

namespace qv {

std::optional<LineEdit> ReindentLine(const CaretLine& line, const CodeModuleView& module, const Settings& settings) {
  if (line.Continues()) return std::nullopt;
  const std::vector<std::wstring_view> statements = SplitStatements(line.code);
  int kind = 0;
  const int row = statements.empty() ? -1 : FindBlock(TrimBlanks(statements.front()), -1, kind);
  if (row < 0) return std::nullopt;
  IndentEngine engine(module, IndentSettings{settings.IndentWidth});
  std::wstring label;
  const long current = engine.GetLineIndent(line.first_line, line.raw, line.code, label);
  const long wanted = engine.GetSpacesCount(current, line.first_line, 0, row, kind);
  if (wanted == current) return std::nullopt;

  std::wstring text;
  const long shift = AppendIndented(text, line.raw, label.size(), wanted, false);
  if (text == line.raw) return std::nullopt;
  // The caret keeps its place in the text; only the first line moves.
  return EditCaretLine(line, std::move(text), line.caret_line == line.first_line ? shift : 0);
}

void AutoIndentNewLine(bool AtCaret, const CodeModuleView& module, CodePaneMembers& pane, const Settings& settings) {
  const CaretLine line = ReadCaretLine(module, pane.GetSelection(), AtCaret);
  if (const std::optional<LineEdit> edit = ReindentLine(line, module, settings)) WriteLineEdit(pane, *edit);
}

}  // namespace qv
