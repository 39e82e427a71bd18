#include "codetools/module_view.h"

#include <algorithm>

#include "kit/case_fold.h"
#include "kit/line_breaks.h"

namespace qv {

ModuleText::ModuleText(std::wstring text) : text_(std::move(text)) {
  if (text_.empty()) return;
  for (const std::wstring_view line : SplitLines(text_)) {
    lines_.emplace_back(static_cast<std::size_t>(line.data() - text_.data()), line.size());
  }
}

std::wstring_view ModuleText::Line(long line) const {
  if (line < 1 || line > CountOfLines()) return {};
  const auto [offset, length] = lines_[static_cast<std::size_t>(line - 1)];
  return std::wstring_view(text_).substr(offset, length);
}

std::wstring ModuleText::ProcOfLine(long line, long& kind) const {
  for (const ProcedureInfo& p : procedures_) {
    if (line >= p.start_line && line < p.start_line + p.count_lines) {
      kind = p.kind;
      return p.name;
    }
  }
  return {};
}

long ModuleText::ProcBodyLine(std::wstring_view name, long kind) const {
  for (const ProcedureInfo& p : procedures_) {
    if (p.kind == kind && EqualsNoCase(p.name, name)) return p.body_line;
  }
  return 0;
}

std::wstring ModuleText::Text() const {
  std::wstring joined;
  joined.reserve(text_.size());
  for (long line = 1; line <= CountOfLines(); ++line) {
    if (line > 1) joined += L"\r\n";
    joined += Line(line);
  }
  return joined;
}

}  // namespace qv
