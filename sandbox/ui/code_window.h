#pragma once
// A code window of the host: an MDI child (or, in SDI mode, a top-level window) showing one
// module in one pane, or in two when split. The object model's CodePane objects are views on it.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "sandbox/model/module_text.h"

namespace sbx {

// start <= end; an empty selection is the caret.
struct Selection {
  TextPos start;
  TextPos end;
  friend bool operator==(const Selection&, const Selection&) = default;
};

class CodeWindow {
 public:
  virtual ~CodeWindow() = default;

  virtual HWND hwnd() const = 0;
  virtual ModuleText& text() const = 0;

  // 1, or 2 while split; pane 0 is the upper pane.
  virtual int PaneCount() const = 0;
  virtual void Split(bool on) = 0;
  // The pane that has the caret (the one the user last clicked or typed in).
  virtual int ActivePane() const = 0;

  // Positions are already checked and clamped by the caller. Setting the selection scrolls the
  // caret line into view, which may change TopLine.
  virtual Selection GetSelection(int pane) const = 0;
  virtual void SetSelection(int pane, Selection selection) = 0;
  virtual int TopLine(int pane) const = 0;
  virtual void SetTopLine(int pane, int line) = 0;  // already clamped to 1..max(1, CountOfLines)
  virtual int CountOfVisibleLines(int pane) const = 0;

  virtual std::wstring Caption() const = 0;
  virtual void SetCaption(std::wstring_view caption) = 0;

  // Built-in commands of the host's bars.
  virtual void ToggleBreakpoint(int line) = 0;
  virtual bool HasBreakpoint(int line) const = 0;
  virtual void ToggleBookmark(int line) = 0;
  virtual bool HasBookmarks() const = 0;
  virtual void GoToNextBookmark(bool forward) = 0;
  virtual void ClearBookmarks() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
};

}  // namespace sbx
