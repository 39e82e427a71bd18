#include "editor/hot_keys.h"

#include <string>

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/command_bar_refs.h"
#include "addin/connection.h"
#include "addin/entry_points.h"
#include "kit/hot_key.h"
#include "win/failure_log.h"

namespace qv {
namespace {

void RunHostCommand(const CommandBarControl& control) {
  if (control.Enabled()) control.Execute();
}

// Saves the selected component under its own file. The add-in never disables its Options button,
// so this stays dormant unless another program does; the VBA editor's components have no files.
void SaveComponent() {
  if (Bars().OptionsButton.Enabled()) return;
  const VBComponent component = VBInstance().SelectedVBComponent();
  if (!component) return;
  const std::wstring file = component.FileNames(1);
  if (!file.empty()) component.SaveAs(file);
}

}  // namespace

void RunHotKeys(long key_code, int modifiers) {
  const Settings& settings = State().settings;
  const CommandBarRefs& bars = Bars();
  struct Binding {
    const std::wstring& text;
    void (*action)(const CommandBarRefs&);
  };
  const Binding bindings[] = {
      {settings.HotKeys_Format, [](const CommandBarRefs&) { FormatSelectionAfterModifiers(); }},
      {settings.HotKeys_Save, [](const CommandBarRefs&) { SaveComponent(); }},
      {settings.HotKeys_Redo, [](const CommandBarRefs& b) { RunHostCommand(b.RedoControl); }},
      {settings.HotKeys_Comment, [](const CommandBarRefs& b) { RunHostCommand(b.CommentControl); }},
      {settings.HotKeys_Uncomment, [](const CommandBarRefs& b) { RunHostCommand(b.UncommentControl); }},
      {settings.HotKeys_Bookmark, [](const CommandBarRefs& b) { RunHostCommand(b.BookmarkControl); }},
      {settings.HotKeys_NextBookmark, [](const CommandBarRefs& b) { RunHostCommand(b.NextBookmarkControl); }},
      {settings.HotKeys_PrevBookmark, [](const CommandBarRefs& b) { RunHostCommand(b.PrevBookmarkControl); }},
      {settings.HotKeys_ProcAndFunc, [](const CommandBarRefs&) { ShowProcs(); }},
  };
  for (const Binding& binding : bindings) {
    if (IsHotKey(binding.text, modifiers, key_code)) Guarded(L"hot key", [&] { binding.action(bars); });
  }
}

}  // namespace qv
