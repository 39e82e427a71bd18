#include "sandbox/host/builtin_bars.h"

#include <algorithm>
#include <iterator>

#include "kit/case_fold.h"
#include "sandbox/host/command_bars.h"
#include "sandbox/host/host_state.h"
#include "sandbox/host/project.h"
#include "sandbox/host/project_files.h"
#include "sandbox/host/vbe.h"

namespace sbx {
namespace {

struct EditButton {
  const wchar_t* caption;
  BuiltIn command;
};

// The "Edit" toolbar; the add-in finds Comment Block right after the last button showing "F9".
constexpr EditButton kEditButtons[] = {
    {L"List Properties/Methods", BuiltIn::kCodeCommand},
    {L"List Constants", BuiltIn::kCodeCommand},
    {L"Quick Info", BuiltIn::kCodeCommand},
    {L"Parameter Info", BuiltIn::kCodeCommand},
    {L"Complete Word", BuiltIn::kCodeCommand},
    {L"Indent", BuiltIn::kCodeCommand},
    {L"Outdent", BuiltIn::kCodeCommand},
    {L"Toggle Breakpoint", BuiltIn::kToggleBreakpoint},
    {L"Comment Block", BuiltIn::kCommentBlock},
    {L"Uncomment Block", BuiltIn::kUncommentBlock},
    {L"Toggle Bookmark", BuiltIn::kToggleBookmark},
    {L"Next Bookmark", BuiltIn::kNextBookmark},
    {L"Previous Bookmark", BuiltIn::kPreviousBookmark},
    {L"Clear All Bookmarks", BuiltIn::kClearBookmarks},
};
constexpr long kToggleBreakpointIndex = 8;
constexpr long kSecondF9Index = 3;  // the variant with two "F9" buttons

// The menu bar: File (save command), Edit (Undo, Redo), Add-Ins. Captions other than the Add-Ins
// menu's, and the VBA File menu's two hidden entries before its save command, are assumed.
// Gives the Add-Ins menu's bar.
BarObject& AddMenuBar(const HostState& state, CommandBarsObject& bars) {
  ControlsObject& menu = bars.Add(L"Menu Bar", kBarMenuBar, false, false).controls();
  ControlsObject& file = menu.Add(kControlPopup, BuiltIn::kCommand, L"&File").submenu()->controls();
  if (state.IsVba()) {
    file.Add(kControlButton, BuiltIn::kCommand, L"&Import File...").SetVisible(false);
    file.Add(kControlButton, BuiltIn::kCommand, L"&Export File...").SetVisible(false);
    file.Add(kControlButton, BuiltIn::kSave, L"&Save");
  } else {
    for (const wchar_t* caption : {L"&New Project", L"&Open Project...", L"A&dd Project...", L"&Remove Project"}) {
      file.Add(kControlButton, BuiltIn::kCommand, caption);
    }
    file.Add(kControlButton, BuiltIn::kSave, L"Sa&ve Project");
  }
  ControlsObject& edit = menu.Add(kControlPopup, BuiltIn::kCommand, L"&Edit").submenu()->controls();
  edit.Add(kControlButton, BuiltIn::kUndo, L"&Undo");
  edit.Add(kControlButton, BuiltIn::kRedo, L"&Redo");
  BarObject& add_ins =
      *menu.Add(kControlPopup, BuiltIn::kCommand, state.options.russian_captions ? L"&Надстройки" : L"&Add-Ins")
           .submenu();
  add_ins.SetName(L"Add-Ins");
  // At start the VBA editor lists one entry, the VB6 IDE two (assumed).
  if (!state.IsVba()) add_ins.controls().Add(kControlButton, BuiltIn::kCommand, L"&Visual Data Manager...");
  add_ins.controls().Add(kControlButton, BuiltIn::kCommand, L"&Add-In Manager...");
  return add_ins;
}

void AddEditBar(const HostState& state, CommandBarsObject& bars) {
  ControlsObject& edit = bars.Add(L"Edit", kBarTop, false, false).controls();
  for (const EditButton& button : kEditButtons) {
    ControlObject& control = edit.Add(kControlButton, button.command, button.caption);
    const long index = control.Index();
    const F9Buttons f9 = state.options.f9_buttons;
    if ((index == kToggleBreakpointIndex && f9 != F9Buttons::kNone) ||
        (index == kSecondF9Index && f9 == F9Buttons::kTwo)) {
      control.SetShortcutText(L"F9");
    }
  }
}

// Comments or uncomments the selected lines as one undo step. A selection that ends at the start of
// a line leaves that line out.
void CommentLines(CodeWindow& window, const Selection& selection, bool comment) {
  ModuleText& text = window.text();
  if (text.CountOfLines() == 0) return;
  const int first = selection.start.line;
  int last = selection.end.line;
  if (last > first && selection.end.column == 1) --last;
  std::wstring block;
  for (int line = first; line <= last; ++line) {
    std::wstring code = text.Line(line);
    if (comment) {
      code.insert(0, L"'");
    } else if (const size_t at = code.find_first_not_of(L' '); at != std::wstring::npos && code[at] == L'\'') {
      code.erase(at, 1);
    }
    block += (line > first ? L"\r\n" : L"") + code;
  }
  text.ReplaceRange({first, 1}, {last, static_cast<int>(text.Line(last).size()) + 1}, block);
}

}  // namespace

void AddStartBars(HostState& state, CommandBarsObject& bars) {
  const auto& missing = state.options.missing_bars;
  const auto wanted = [&](std::wstring_view name) {
    return std::none_of(missing.begin(), missing.end(), [&](const auto& bar) { return qv::EqualsNoCase(bar, name); });
  };
  BarObject* add_ins = wanted(L"Menu Bar") ? &AddMenuBar(state, bars) : nullptr;
  if (wanted(L"Edit")) AddEditBar(state, bars);
  if (add_ins && wanted(L"Add-Ins")) bars.List(*add_ins);
  for (const BarSnapshot& snapshot : state.options.bars_from_earlier_run) {
    bars.Add(snapshot.name, snapshot.position, false, true).Restore(snapshot);
  }
}

bool BuiltInEnabled(BuiltIn command, HostState& state) {
  // "Active" is the active document window when it is a code window.
  const CodeWindow* active = state.workspace->ActiveCodeWindow();
  switch (command) {
    case BuiltIn::kNone:
    case BuiltIn::kCommand:
    case BuiltIn::kSave:  // always (assumed)
      return true;
    case BuiltIn::kUndo:  // while there is something to undo or redo (assumed)
      return active && active->text().UndoDepth() > 0;
    case BuiltIn::kRedo:
      return active && active->text().RedoDepth() > 0;
    case BuiltIn::kNextBookmark:  // and only with a bookmark to go to (assumed)
    case BuiltIn::kPreviousBookmark:
      return active && active->HasBookmarks();
    default:
      return active != nullptr;
  }
}

void RunBuiltIn(BuiltIn command, HostState& state) {
  if (command == BuiltIn::kSave) {
    if (ProjectObject* project = state.vbe->ActiveProject()) {
      // A project never saved would be named in the Save As dialog first; here it stays in memory.
      if (!project->file_name().empty()) WriteProject(state, *project, project->file_name());
      project->SetSaved(true);
    }
    return;
  }
  CodeWindow* window = state.workspace->ActiveCodeWindow();
  if (!window) return;
  const Selection selection = window->GetSelection(window->ActivePane());
  switch (command) {
    case BuiltIn::kUndo:
      window->Undo();
      break;
    case BuiltIn::kRedo:
      window->Redo();
      break;
    case BuiltIn::kToggleBreakpoint:
      window->ToggleBreakpoint(selection.start.line);
      break;
    case BuiltIn::kCommentBlock:
    case BuiltIn::kUncommentBlock:
      CommentLines(*window, selection, command == BuiltIn::kCommentBlock);
      break;
    case BuiltIn::kToggleBookmark:
      window->ToggleBookmark(selection.start.line);
      break;
    case BuiltIn::kNextBookmark:
    case BuiltIn::kPreviousBookmark:
      window->GoToNextBookmark(command == BuiltIn::kNextBookmark);
      break;
    case BuiltIn::kClearBookmarks:
      window->ClearBookmarks();
      break;
    default:
      break;
  }
}

}  // namespace sbx
