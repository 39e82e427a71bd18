#include "library/hot_key_table.h"

#include "addin/addin_state.h"
#include "addin/code_pane.h"
#include "addin/command_bar_refs.h"
#include "addin/connection.h"

namespace qv {
namespace {

void RunHostCommand(CommandBarControl CommandBarRefs::*command) {
  const CommandBarControl& control = Bars().*command;
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

HotKeyTable BuildHotKeyTable(Parts& parts) {
  const Settings& settings = State().settings;
  using Bars = CommandBarRefs;
  return {
      {&settings.HotKeys_Format, [] { FormatSelectionAfterModifiers(); }},
      {&settings.HotKeys_Save, [] { SaveComponent(); }},
      {&settings.HotKeys_Redo, [] { RunHostCommand(&Bars::RedoControl); }},
      {&settings.HotKeys_Comment, [] { RunHostCommand(&Bars::CommentControl); }},
      {&settings.HotKeys_Uncomment, [] { RunHostCommand(&Bars::UncommentControl); }},
      {&settings.HotKeys_Bookmark, [] { RunHostCommand(&Bars::BookmarkControl); }},
      {&settings.HotKeys_NextBookmark, [] { RunHostCommand(&Bars::NextBookmarkControl); }},
      {&settings.HotKeys_PrevBookmark, [] { RunHostCommand(&Bars::PrevBookmarkControl); }},
      {&settings.HotKeys_ProcAndFunc, [&parts] { parts.ShowProcs(); }},
  };
}

}  // namespace qv
