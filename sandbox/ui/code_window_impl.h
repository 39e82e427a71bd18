#pragma once
// The code window: its window procedure, panes, scroll bars, caret and keys.
#include <windows.h>

#include <array>
#include <set>
#include <string>

#include "sandbox/model/caret.h"
#include "sandbox/model/pretty_lister.h"
#include "sandbox/ui/code_painter.h"
#include "sandbox/ui/code_window.h"
#include "win/bound_window.h"

namespace sbx {

class CodeWindowImpl;

// What a code window tells the workspace that owns it.
class CodeWindowOwner {
 public:
  virtual void OnActivated(CodeWindowImpl& window) = 0;
  virtual void OnCloseReceived(HWND window) = 0;
  virtual void OnDestroying(CodeWindowImpl& window) = 0;
  // The last message of the window: the owner deletes it.
  virtual void OnDestroyed(CodeWindowImpl& window) = 0;
  virtual bool CompleteProcedures() const = 0;
  virtual bool CaseKeywords() const = 0;
  virtual const std::wstring& IdeSettingsKey() const = 0;

 protected:
  ~CodeWindowOwner() = default;
};

class CodeWindowImpl final : public CodeWindow, private qv::BoundWindow {
 public:
  CodeWindowImpl(CodeWindowOwner& owner, ModuleText& text);
  CodeWindowImpl(const CodeWindowImpl&) = delete;
  CodeWindowImpl& operator=(const CodeWindowImpl&) = delete;
  ~CodeWindowImpl() override;

  // An MDI child of `mdi_client`, or with no client a top-level window owned by `owner_window`.
  void Create(HWND mdi_client, HWND owner_window, const std::wstring& caption);

  HWND hwnd() const override { return BoundWindow::hwnd(); }
  ModuleText& text() const override { return text_; }
  int PaneCount() const override { return split_ ? 2 : 1; }
  void Split(bool on) override;
  int ActivePane() const override { return active_pane_; }
  Selection GetSelection(int pane) const override;
  void SetSelection(int pane, Selection selection) override;
  int TopLine(int pane) const override { return panes_[Index(pane)].top_line; }
  void SetTopLine(int pane, int line) override;
  int CountOfVisibleLines(int pane) const override;
  std::wstring Caption() const override;
  void SetCaption(std::wstring_view caption) override;
  void ToggleBreakpoint(int line) override;
  bool HasBreakpoint(int line) const override { return breakpoints_.contains(line); }
  void ToggleBookmark(int line) override;
  bool HasBookmarks() const override { return !bookmarks_.empty(); }
  void GoToNextBookmark(bool forward) override;
  void ClearBookmarks() override { bookmarks_.clear(); }
  void Undo() override;
  void Redo() override;

 private:
  struct Pane {
    TextPos anchor;
    TextPos caret;
    int top_line = 1;
    int first_column = 1;
    HWND vertical_bar = nullptr;
    HWND horizontal_bar = nullptr;
  };

  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The owner deletes the object here.
  void OnWindowDestroyed() override { owner_.OnDestroyed(*this); }
  static size_t Index(int pane) { return static_cast<size_t>(pane); }
  // Calls `use` with the drawing geometry and the editor font selected into `dc`.
  template <class Use>
  auto WithDrawing(HDC dc, Use use) const;

  void CreateBars();
  void Layout();
  bool OnKeyDown(WPARAM key);
  void OnChar(wchar_t c);
  void OnScroll(HWND bar, int request, bool vertical);
  void OnClick(POINT point);
  void OnTextChanged(const LineChange& change);
  void Paste();

  // A user's move or edit: puts the active pane's caret at `caret`, extending the selection from
  // the anchor when `extend`, and lists the lines it has left.
  void MoveTo(TextPos caret, bool extend);
  void ScrollCaretIntoView(int pane);
  void ScrollCaretColumnIntoView();
  void SetFirstColumn(int pane, int column);
  void UpdateBars();
  void PlaceCaret();
  void Repaint();
  PaneView ViewOf(int pane) const;
  int LastTopLine() const;

  CodeWindowOwner& owner_;
  ModuleText& text_;
  PrettyLister lister_;
  int listener_ = 0;
  bool mdi_ = false;
  bool split_ = false;
  int active_pane_ = 0;
  std::array<Pane, 2> panes_;
  std::set<int> breakpoints_;
  std::set<int> bookmarks_;
};

}  // namespace sbx
