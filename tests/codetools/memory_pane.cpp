#include "tests/codetools/memory_pane.h"

#include <stdexcept>

namespace qv::test {
namespace {

std::vector<std::wstring> SplitLines(std::wstring_view text) {
  const ModuleText module{std::wstring(text)};
  std::vector<std::wstring> lines;
  for (long line = 1; line <= module.CountOfLines(); ++line) lines.emplace_back(module.Line(line));
  return lines;
}

}  // namespace

MemoryPane::MemoryPane(std::wstring_view text, Selection selection) : lines_(SplitLines(text)), selection_(selection) {}

std::wstring_view MemoryPane::Line(long line) const {
  return line < 1 || line > CountOfLines() ? std::wstring_view() : lines_[static_cast<std::size_t>(line - 1)];
}

// As the host: the line must exist, and line breaks in the code give several lines.
void MemoryPane::ReplaceLine(long line, const std::wstring& code) {
  if (line < 1 || line > CountOfLines()) throw std::out_of_range("ReplaceLine");
  std::vector<std::wstring> replacement = SplitLines(code);
  if (replacement.empty()) replacement.emplace_back();
  const auto at = lines_.begin() + (line - 1);
  lines_.insert(lines_.erase(at), replacement.begin(), replacement.end());
  ++writes_;
}

void MemoryPane::InsertLines(long line, const std::wstring& code) {
  if (line < 1 || line > CountOfLines() + 1) throw std::out_of_range("InsertLines");
  std::vector<std::wstring> inserted = SplitLines(code);
  if (inserted.empty()) inserted.emplace_back();
  lines_.insert(lines_.begin() + (line - 1), inserted.begin(), inserted.end());
  ++writes_;
}

void MemoryPane::DeleteLines(long start_line, long count) {
  if (start_line < 1 || count < 1 || start_line + count - 1 > CountOfLines()) throw std::out_of_range("DeleteLines");
  const auto at = lines_.begin() + (start_line - 1);
  lines_.erase(at, at + count);
  ++writes_;
}

std::wstring MemoryPane::Text() const {
  std::wstring text;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines_[i];
  }
  return text;
}

}  // namespace qv::test
