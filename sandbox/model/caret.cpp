#include "sandbox/model/caret.h"

#include <algorithm>

namespace sbx {
namespace {

int LineEnd(const ModuleText& text, int line) {
  return line <= text.CountOfLines() ? static_cast<int>(text.Line(line).size()) + 1 : 1;
}

int LastLine(const ModuleText& text) { return std::max(1, text.CountOfLines()); }

}  // namespace

TextPos ClampPos(const ModuleText& text, TextPos pos) {
  const int line = std::clamp(pos.line, 1, LastLine(text));
  return {line, std::clamp(pos.column, 1, LineEnd(text, line))};
}

TextPos MoveCaret(const ModuleText& text, TextPos caret, CaretMove move, int page) {
  switch (move) {
    case CaretMove::kLeft:
      if (caret.column > 1) return {caret.line, caret.column - 1};
      return caret.line > 1 ? TextPos{caret.line - 1, LineEnd(text, caret.line - 1)} : caret;
    case CaretMove::kRight:
      if (caret.column < LineEnd(text, caret.line)) return {caret.line, caret.column + 1};
      return caret.line < LastLine(text) ? TextPos{caret.line + 1, 1} : caret;
    case CaretMove::kUp:
      return ClampPos(text, {caret.line - 1, caret.column});
    case CaretMove::kDown:
      return ClampPos(text, {caret.line + 1, caret.column});
    case CaretMove::kHome:
      return {caret.line, 1};  // column 1, not the first non-blank (assumed host behaviour)
    case CaretMove::kEnd:
      return {caret.line, LineEnd(text, caret.line)};
    case CaretMove::kPageUp:
      return ClampPos(text, {caret.line - page, caret.column});
    case CaretMove::kPageDown:
      return ClampPos(text, {caret.line + page, caret.column});
    case CaretMove::kModuleStart:
      return {1, 1};
    case CaretMove::kModuleEnd:
      return {LastLine(text), LineEnd(text, LastLine(text))};
  }
  return caret;
}

std::optional<int> FollowLine(int line, const LineChange& change) {
  if (line < change.first) return line;
  if (line >= change.first + change.removed) return line + change.inserted - change.removed;
  if (line - change.first < change.inserted) return line;
  return std::nullopt;
}

TextPos FollowChange(const ModuleText& text, TextPos pos, const LineChange& change) {
  return ClampPos(text, {FollowLine(pos.line, change).value_or(change.first), pos.column});
}

}  // namespace sbx
