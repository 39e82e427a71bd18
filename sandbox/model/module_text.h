#pragma once
// The text of one code module, with the host's editing semantics for the object model and for
// the keyboard, and the undo history of keyboard edits.
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sandbox/model/procedure_geometry.h"

namespace sbx {

// Lines and columns count from 1; column Len(line) + 1 is the end of the line.
struct TextPos {
  int line = 1;
  int column = 1;
  friend auto operator<=>(const TextPos&, const TextPos&) = default;
};

// Lines [first, first + removed) were replaced by `inserted` lines.
struct LineChange {
  int first = 1;
  int removed = 0;
  int inserted = 0;
};

enum class EditOrigin { kObjectModel, kKeyboard, kUndo, kRedo, kRewrite };

class ModuleText {
 public:
  using Listener = std::function<void(const LineChange&, EditOrigin)>;

  // CR LF, a lone CR and a lone LF each break a line.
  explicit ModuleText(std::wstring_view text = {});
  ModuleText(const ModuleText&) = delete;
  ModuleText& operator=(const ModuleText&) = delete;
  ~ModuleText();

  // Object-model members. They raise qv::VbError as the host does (9 for a line out of range,
  // 5 for a bad argument). Edits through them are not undoable and clear both undo stacks.
  int CountOfLines() const;
  std::wstring Lines(int start, int count) const;  // joined by CR LF, no final CR LF
  void ReplaceLine(int line, std::wstring_view code);
  void InsertLines(int line, std::wstring_view code);
  void DeleteLines(int start, int count);
  void AddFromString(std::wstring_view code);
  // Recomputed after every edit.
  const ProcedureGeometry& Geometry() const;
  // Switches the reading of the lines after the last procedure (see ComputeGeometry).
  void SetTrailingLinesInLast(bool on);
  // Host switch: Lines past the last line read as empty instead of raising.
  void SetMissingLinesReadEmpty(bool on);

  const std::wstring& Line(int line) const;  // 1..CountOfLines, unchecked beyond an assert
  const std::vector<std::wstring>& AllLines() const;
  std::wstring Text() const;  // the whole module, joined by CR LF

  // Keyboard edit: replaces the text from `from` up to `to` (from <= to, both valid positions)
  // by `text` as one undo step; gives the position just after the inserted text.
  TextPos ReplaceRange(TextPos from, TextPos to, std::wstring_view text);
  // Undo and redo of keyboard edits; give the caret position to restore, nullopt when empty.
  std::optional<TextPos> Undo();
  std::optional<TextPos> Redo();
  size_t UndoDepth() const;
  size_t RedoDepth() const;
  // The editor's own rewrite of one line (its keyword case): no undo step, and the undo history
  // stays (assumed host behaviour).
  void RewriteLine(int line, std::wstring code);

  // Every change of the text, whatever its origin; ids are never reused.
  int Subscribe(Listener listener);
  void Unsubscribe(int id);

  // Counts changes of the text; a test compares it to see that nothing was written.
  std::uint64_t Revision() const;

 private:
  struct Snapshot;
  // Every change of the text goes through here.
  void Replace(int first, int removed, std::vector<std::wstring> inserted, EditOrigin origin);
  void Notify(const LineChange& change, EditOrigin origin);
  void CheckPosition(TextPos pos) const;

  std::vector<std::wstring> lines_;
  std::vector<Snapshot> undo_, redo_;
  std::vector<std::pair<int, Listener>> listeners_;
  int next_listener_ = 1;
  std::uint64_t revision_ = 0;
  bool trailing_lines_in_last_ = true;
  bool missing_lines_read_empty_ = false;
  mutable std::optional<ProcedureGeometry> geometry_;
};

}  // namespace sbx
