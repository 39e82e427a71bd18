#include "sandbox/model/module_text.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <utility>

#include "kit/line_breaks.h"
#include "kit/vb_error.h"

namespace sbx {
namespace {

// The lone CR and LF breaking a line too: assumed host behaviour.
std::vector<std::wstring> SplitLines(std::wstring_view text) {
  const std::vector<std::wstring_view> lines = qv::SplitLines(text);
  return {lines.begin(), lines.end()};
}

std::wstring Join(std::vector<std::wstring>::const_iterator first, std::vector<std::wstring>::const_iterator last) {
  std::wstring text;
  for (auto line = first; line != last; ++line) {
    if (line != first) text += L"\r\n";
    text += *line;
  }
  return text;
}

}  // namespace

// One keyboard edit: lines [first, first + inserted.size()) were lines `removed` before it. Undo puts
// the caret at the end of the restored text, redo at the end of the new text (assumed host behaviour).
struct ModuleText::Snapshot {
  int first = 1;
  std::vector<std::wstring> removed;
  std::vector<std::wstring> inserted;
  TextPos caret_before;
  TextPos caret_after;
};

ModuleText::ModuleText(std::wstring_view text) {
  if (!text.empty()) lines_ = SplitLines(text);
}

ModuleText::~ModuleText() = default;

int ModuleText::CountOfLines() const { return static_cast<int>(lines_.size()); }

std::wstring ModuleText::Lines(int start, int count) const {
  if (count < 0) throw qv::InvalidCallError();
  // Count 0 reads nothing wherever it starts (assumed host behaviour).
  if (count == 0) return {};
  if (start < 1) throw qv::SubscriptError();
  const int present = std::clamp(CountOfLines() - start + 1, 0, count);
  if (present < count && !missing_lines_read_empty_) throw qv::SubscriptError();
  const auto first = lines_.begin() + std::min(start - 1, CountOfLines());
  std::wstring text = Join(first, first + present);
  // With the switch, missing lines read as empty.
  for (int i = present; i < count; ++i) {
    if (i > 0) text += L"\r\n";
  }
  return text;
}

void ModuleText::ReplaceLine(int line, std::wstring_view code) {
  if (line < 1 || line > CountOfLines()) throw qv::SubscriptError();
  Replace(line, 1, SplitLines(code), EditOrigin::kObjectModel);
}

void ModuleText::InsertLines(int line, std::wstring_view code) {
  if (line < 1 || line > CountOfLines() + 1) throw qv::SubscriptError();
  Replace(line, 0, SplitLines(code), EditOrigin::kObjectModel);
}

void ModuleText::DeleteLines(int start, int count) {
  if (count < 1) throw qv::InvalidCallError();
  if (start < 1 || count > CountOfLines() - start + 1) throw qv::SubscriptError();
  Replace(start, count, {}, EditOrigin::kObjectModel);
}

void ModuleText::AddFromString(std::wstring_view code) {
  // After the declarations section when the module has procedures (assumed host behaviour).
  const ProcedureGeometry& geometry = Geometry();
  const int line = geometry.procedures.empty() ? CountOfLines() + 1 : geometry.declaration_lines + 1;
  Replace(line, 0, SplitLines(code), EditOrigin::kObjectModel);
}

const ProcedureGeometry& ModuleText::Geometry() const {
  if (!geometry_) geometry_ = ComputeGeometry(lines_, trailing_lines_in_last_);
  return *geometry_;
}

void ModuleText::SetTrailingLinesInLast(bool on) {
  trailing_lines_in_last_ = on;
  geometry_.reset();
}

void ModuleText::SetMissingLinesReadEmpty(bool on) { missing_lines_read_empty_ = on; }

const std::wstring& ModuleText::Line(int line) const {
  assert(line >= 1 && line <= CountOfLines());
  return lines_[static_cast<size_t>(line - 1)];
}

const std::vector<std::wstring>& ModuleText::AllLines() const { return lines_; }

std::wstring ModuleText::Text() const { return Join(lines_.begin(), lines_.end()); }

void ModuleText::CheckPosition(TextPos pos) const {
  // An empty module still has a caret at line 1, column 1.
  const int line_count = std::max(1, CountOfLines());
  if (pos.line < 1 || pos.line > line_count) throw qv::InvalidCallError();
  const size_t length = lines_.empty() ? 0 : Line(pos.line).size();
  if (pos.column < 1 || static_cast<size_t>(pos.column) > length + 1) throw qv::InvalidCallError();
}

TextPos ModuleText::ReplaceRange(TextPos from, TextPos to, std::wstring_view text) {
  CheckPosition(from);
  CheckPosition(to);
  if (to < from) throw qv::InvalidCallError();
  const std::wstring empty;
  const std::wstring& first_line = lines_.empty() ? empty : Line(from.line);
  const std::wstring& last_line = lines_.empty() ? empty : Line(to.line);

  std::vector<std::wstring> inserted = SplitLines(text);
  const std::wstring prefix = first_line.substr(0, static_cast<size_t>(from.column - 1));
  const size_t caret_column = (inserted.size() == 1 ? prefix.size() : 0) + inserted.back().size() + 1;
  const TextPos caret{from.line + static_cast<int>(inserted.size()) - 1, static_cast<int>(caret_column)};
  inserted.front().insert(0, prefix);
  inserted.back() += last_line.substr(static_cast<size_t>(to.column - 1));
  const int removed = lines_.empty() ? 0 : to.line - from.line + 1;
  const auto removed_from = lines_.begin() + (from.line - 1);
  Snapshot edit{from.line, {removed_from, removed_from + removed}, inserted, to, caret};

  redo_.clear();
  undo_.push_back(std::move(edit));
  Replace(from.line, removed, std::move(inserted), EditOrigin::kKeyboard);
  return caret;
}

std::optional<TextPos> ModuleText::Undo() {
  if (undo_.empty()) return std::nullopt;
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  // A listener may edit the module and so clear the stacks: nothing of them is used after Replace.
  const Snapshot& edit = redo_.back();
  const TextPos caret = edit.caret_before;
  Replace(edit.first, static_cast<int>(edit.inserted.size()), edit.removed, EditOrigin::kUndo);
  return caret;
}

std::optional<TextPos> ModuleText::Redo() {
  if (redo_.empty()) return std::nullopt;
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  const Snapshot& edit = undo_.back();
  const TextPos caret = edit.caret_after;
  Replace(edit.first, static_cast<int>(edit.removed.size()), edit.inserted, EditOrigin::kRedo);
  return caret;
}

size_t ModuleText::UndoDepth() const { return undo_.size(); }

size_t ModuleText::RedoDepth() const { return redo_.size(); }

void ModuleText::RewriteLine(int line, std::wstring code) {
  assert(line >= 1 && line <= CountOfLines());
  std::vector<std::wstring> rewritten;
  rewritten.push_back(std::move(code));
  Replace(line, 1, std::move(rewritten), EditOrigin::kRewrite);
}

int ModuleText::Subscribe(Listener listener) {
  listeners_.emplace_back(next_listener_, std::move(listener));
  return next_listener_++;
}

void ModuleText::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

std::uint64_t ModuleText::Revision() const { return revision_; }

void ModuleText::Replace(int first, int removed, std::vector<std::wstring> inserted, EditOrigin origin) {
  const auto at = lines_.begin() + (first - 1);
  const int inserted_count = static_cast<int>(inserted.size());
  lines_.insert(lines_.erase(at, at + removed), std::make_move_iterator(inserted.begin()),
                std::make_move_iterator(inserted.end()));
  ++revision_;
  geometry_.reset();
  // Object-model edits are not undoable (assumed host behaviour).
  if (origin == EditOrigin::kObjectModel) {
    undo_.clear();
    redo_.clear();
  }
  Notify({first, removed, inserted_count}, origin);
}

void ModuleText::Notify(const LineChange& change, EditOrigin origin) {
  // A listener may unsubscribe itself or another one while it runs.
  std::vector<int> ids;
  for (const auto& entry : listeners_) ids.push_back(entry.first);
  for (int id : ids) {
    const auto entry =
        std::find_if(listeners_.begin(), listeners_.end(), [id](const auto& e) { return e.first == id; });
    if (entry != listeners_.end()) {
      const Listener listener = entry->second;
      listener(change, origin);
    }
  }
}

}  // namespace sbx
